# GoogleTest from Debian's sources, built with the cross compiler.
set(QUIREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${QUIREL_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${QUIREL_GTEST_SOURCE} (run scripts/setup)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUIREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)

set(QUIREL_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)

# quirel_add_gtest(NAME SOURCES ... [LIBRARIES ...] [WINDOWS] [ARGS ...] [ENV VAR=value ...]
#                  [TARGET existing-test-program] [LAUNCHER command ...])
# One ctest entry per test program (each Wine start costs about a second).
# WINDOWS: the program opens windows, so it needs a display (scripts/with-display); such
# programs run one at a time, as they share the Wine desktop, the single-instance mutex and
# COM's class table. They carry the label "windows" (ctest -L / -LE).
function(quirel_add_gtest name)
  cmake_parse_arguments(T "WINDOWS" "TARGET" "SOURCES;LIBRARIES;ARGS;ENV;LAUNCHER" ${ARGN})
  # TARGET runs an already defined test program again, with other ARGS or ENV.
  if(T_TARGET)
    set(program ${T_TARGET})
  else()
    set(program ${name})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gtest_main)
  endif()
  # LAUNCHER: a command the Wine run goes through (a fixture server around the program).
  if(T_WINDOWS)
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-display ${T_LAUNCHER} ${QUIREL_WINE_RUN}
                     $<TARGET_FILE:${program}> ${T_ARGS})
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK quirel_desktop LABELS windows)
  elseif(T_LAUNCHER)
    add_test(NAME ${name} COMMAND ${T_LAUNCHER} ${QUIREL_WINE_RUN} $<TARGET_FILE:${program}>
                                  ${T_ARGS})
  else()
    add_test(NAME ${name} COMMAND ${program} ${T_ARGS})
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;${T_ENV}"
    WORKING_DIRECTORY ${QUIREL_RUN_DIR})
endfunction()
