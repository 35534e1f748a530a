# cmake -DSOURCE=<complete engine folder> -DDESTINATION=<dir> -DFILES=a|b/c|...
#       [-DLIBCEF=<libcef.dll to use>] [-DOMIT=a|b] [-DNO_FOLDER=ON] -P LayOutEngineFolder.cmake
# Makes <dir>/plugin/cef exactly the listed files (less OMIT), or no plugin
# folder at all with NO_FOLDER. Whatever was there before goes.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${DESTINATION}/plugin)
file(MAKE_DIRECTORY ${DESTINATION})
if(NO_FOLDER)
  return()
endif()
string(REPLACE "|" ";" files "${FILES}")
string(REPLACE "|" ";" omit "${OMIT}")
foreach(file IN LISTS files)
  if(file IN_LIST omit)
    continue()
  endif()
  set(from ${SOURCE}/${file})
  if(file STREQUAL "libcef.dll" AND LIBCEF)
    set(from ${LIBCEF})
  endif()
  get_filename_component(parent ${DESTINATION}/plugin/cef/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(COPY_FILE ${from} ${DESTINATION}/plugin/cef/${file})
endforeach()
