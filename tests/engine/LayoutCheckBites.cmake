# Proves the generated layout check fails on a wrong layout: the real table must
# compile, each table with one value changed must not (and must fail for that
# value), and a table that misses or adds a struct must be refused outright.
#
#   cmake -DGENERATOR=... -DHEADERS=a.h|b.h -DTABLE=offsets-x86_64.tsv -DCXX=g++
#         -DFLAGS=-I...|-D... -DWORK_DIR=... -P LayoutCheckBites.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var GENERATOR HEADERS TABLE CXX FLAGS WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
string(REPLACE "|" ";" flags "${FLAGS}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(READ "${TABLE}" real_table)
set(failures 0)

macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

# generate(<name> <table text> <result var> <log var>)
function(generate name text result_var log_var)
  file(WRITE "${WORK_DIR}/${name}.tsv" "${text}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DTABLE=${WORK_DIR}/${name}.tsv -DOUTPUT=${WORK_DIR}/${name}.cpp
            -DHEADERS=${HEADERS} -P ${GENERATOR}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${log_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(compile name result_var log_var)
  execute_process(
    COMMAND ${CXX} -std=c++20 -fsyntax-only ${flags} ${WORK_DIR}/${name}.cpp
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${log_var} "${out}${err}" PARENT_SCOPE)
endfunction()

# The control: the real table generates and compiles.
generate(real "${real_table}" result log)
if(NOT result EQUAL 0)
  fail("generator refused the real table:\n${log}")
else()
  compile(real result log)
  if(NOT result EQUAL 0)
    fail("the check over the real table does not compile:\n${log}")
  endif()
endif()

# One value changed per case: struct, member, column (offset|size), new value
# relative to the real one, and the assertion that has to fire.
set(cases
  "cef_settings_t|multi_threaded_message_loop|offset|+4|cef_settings_t.multi_threaded_message_loop: offset"
  "cef_window_info_t|parent_window|size|+4|cef_window_info_t.parent_window: size"
  "cef_string_utf16_t|dtor|offset|-4|cef_string_utf16_t.dtor: offset"
  "cef_menu_button_t|trigger_menu|offset|+8|cef_menu_button_t.trigger_menu: offset"
  "cef_popup_features_t|(sizeof)|size|+4|cef_popup_features_t: sizeof")
set(index 0)
foreach(case IN LISTS cases)
  math(EXPR index "${index} + 1")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 struct)
  list(GET case 1 member)
  list(GET case 2 column)
  list(GET case 3 delta)
  list(GET case 4 expected)
  string(REPLACE "(" "\\(" member_re "${member}")
  string(REPLACE ")" "\\)" member_re "${member_re}")
  set(row_re "\n${struct}\t${member_re}\t([0-9]+)\t([0-9]+)\n")
  if(NOT real_table MATCHES "${row_re}")
    fail("case ${index}: no row ${struct} ${member} in the table")
    continue()
  endif()
  set(offset ${CMAKE_MATCH_1})
  set(size ${CMAKE_MATCH_2})
  math(EXPR ${column} "${${column}} ${delta}")
  string(REGEX REPLACE "${row_re}" "\n${struct}\t${member}\t${offset}\t${size}\n" table
         "${real_table}")
  generate(case${index} "${table}" result log)
  if(NOT result EQUAL 0)
    fail("case ${index} (${expected}): generator refused the table:\n${log}")
    continue()
  endif()
  compile(case${index} result log)
  if(result EQUAL 0)
    fail("case ${index} (${expected}): compiled although the layout differs")
  elseif(NOT log MATCHES "static assertion failed: ${expected}")
    fail("case ${index}: failed, but not on '${expected}':\n${log}")
  endif()
endforeach()

# A struct we declare but the table lacks, and one the table has but we do not
# declare: both refused before anything is compiled.
string(REGEX REPLACE "\ncef_popup_features_t\t[^\n]*" "" without_struct "${real_table}")
string(APPEND with_extra "${real_table}" "cef_not_declared_t\tvalue\t0\t4\n"
       "cef_not_declared_t\t(sizeof)\t0\t4\n")
foreach(case "without_struct|cef_popup_features_t" "with_extra|cef_not_declared_t")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 name)
  list(GET case 1 struct)
  generate(${name} "${${name}}" result log)
  if(result EQUAL 0)
    fail("${name}: generator accepted a table that does not match our structs")
  elseif(NOT log MATCHES "${struct}")
    fail("${name}: refused, but without naming ${struct}:\n${log}")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} layout check case(s) failed")
endif()
message(STATUS "layout check: control compiles, every changed table is caught")
