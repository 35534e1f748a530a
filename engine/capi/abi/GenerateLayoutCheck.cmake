# Writes a C++ file of static_asserts comparing our declarations of the engine's
# structs with the engine's own layout table (offsets-<arch>.tsv: struct, member,
# offset, size; one "(sizeof)" row per struct).
#
#   cmake -DTABLE=offsets-i686.tsv -DOUTPUT=check.cpp -DHEADERS=a.h|b.h -P GenerateLayoutCheck.cmake
#
# HEADERS are the headers that define the structs ("typedef struct _name {").
# Every struct of the table must be defined there and every defined struct must
# be in the table, so a struct can neither escape the check nor be checked
# against nothing. The list is "|"-separated to survive the command line.

cmake_minimum_required(VERSION 3.25)

foreach(var TABLE OUTPUT HEADERS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "GenerateLayoutCheck: ${var} is not set")
  endif()
endforeach()

# Structs our headers define.
string(REPLACE "|" ";" header_list "${HEADERS}")
set(declared "")
foreach(header IN LISTS header_list)
  file(STRINGS "${header}" definitions REGEX "^typedef struct _[A-Za-z0-9_]+ {")
  foreach(line IN LISTS definitions)
    string(REGEX REPLACE "^typedef struct _([A-Za-z0-9_]+) {.*" "\\1" name "${line}")
    list(APPEND declared ${name})
  endforeach()
endforeach()

file(STRINGS "${TABLE}" rows)
list(POP_FRONT rows heading)
if(NOT heading STREQUAL "struct\tmember\toffset\tsize")
  message(FATAL_ERROR "${TABLE}: unexpected heading '${heading}'")
endif()

get_filename_component(table_name "${TABLE}" NAME)
set(body "")
set(tabled "")
set(sized "")
set(count 0)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^([A-Za-z0-9_]+)\t([A-Za-z0-9_]+|\\(sizeof\\))\t([0-9]+)\t([0-9]+)$")
    message(FATAL_ERROR "${TABLE}: malformed row '${row}'")
  endif()
  set(struct ${CMAKE_MATCH_1})
  set(member ${CMAKE_MATCH_2})
  set(offset ${CMAKE_MATCH_3})
  set(size ${CMAKE_MATCH_4})
  if(NOT struct IN_LIST declared)
    message(FATAL_ERROR "${table_name}: ${struct} is not defined by our headers")
  endif()
  if(NOT struct IN_LIST tabled)
    list(APPEND tabled ${struct})
    string(APPEND body "\n")
  endif()
  if(member STREQUAL "(sizeof)")
    list(APPEND sized ${struct})
    string(APPEND body
      "static_assert(sizeof(${struct}) == ${size}, \"${struct}: sizeof\");\n")
    math(EXPR count "${count} + 1")
  else()
    string(APPEND body
      "static_assert(offsetof(${struct}, ${member}) == ${offset}, \"${struct}.${member}: offset\");\n"
      "static_assert(sizeof(${struct}::${member}) == ${size}, \"${struct}.${member}: size\");\n")
    math(EXPR count "${count} + 2")
  endif()
endforeach()

foreach(struct IN LISTS declared)
  if(NOT struct IN_LIST tabled)
    message(FATAL_ERROR "${table_name}: our headers define ${struct}, which the table lacks")
  endif()
endforeach()
foreach(struct IN LISTS tabled)
  if(NOT struct IN_LIST sized)
    message(FATAL_ERROR "${table_name}: no (sizeof) row for ${struct}")
  endif()
endforeach()

list(LENGTH tabled struct_count)
file(WRITE "${OUTPUT}"
  "// Generated from ${table_name} by GenerateLayoutCheck.cmake; do not edit.\n"
  "// ${count} checks over ${struct_count} structs: any difference from the engine's\n"
  "// layout fails the build.\n"
  "#include <cstddef>\n\n"
  "#include \"engine/capi/cef_capi.h\"\n"
  "${body}")
