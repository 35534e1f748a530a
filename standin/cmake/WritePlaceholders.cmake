# cmake -DDIR=<folder> -DFILES=a|b/c|... -P WritePlaceholders.cmake
# The engine's data files, as small placeholders: only their presence counts.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
  file(WRITE ${DIR}/${file} "Placeholder for the engine's ${file} (Quirel stand-in engine).\n")
endforeach()
