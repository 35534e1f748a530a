# cmake -DLIST=<cef_entry_points.inc> -DOUTPUT=<file.def> [-DOMIT=a|b] -P GenerateExportsDef.cmake
# The .def file that makes the stand-in export exactly the engine's names
# (undecorated, as cdecl C functions are), less any left out on purpose.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/EntryPointNames.cmake)
quirel_entry_point_names(names ${LIST})
string(REPLACE "|" ";" omit "${OMIT}")
set(text "LIBRARY libcef.dll\nEXPORTS\n")
foreach(name IN LISTS names)
  if(NOT name IN_LIST omit)
    string(APPEND text "  ${name}\n")
  endif()
endforeach()
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
