# Checks that no source of a library includes a header of a library above it.
#
# Run as a script (cmake -DLAYERS=<file> -DSOURCE_DIR=<src> -P check_layers.cmake) or included by
# src/CMakeLists.txt at configure time. LAYERS holds one line per library: its folder, a colon,
# and the folders it may include (itself and every library it links, directly or not).
# A wrong include fails with the file, the line and the two folders.
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${LAYERS} layer_lines)
set(layer_folders "")
foreach(line ${layer_lines})
  string(REGEX MATCH "^[a-z]+" folder "${line}")
  list(APPEND layer_folders ${folder})
  string(REGEX REPLACE "^[a-z]+:" "" allowed "${line}")
  separate_arguments(allowed_${folder} UNIX_COMMAND "${allowed}")
endforeach()

set(layer_errors "")
foreach(folder ${layer_folders})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(path ${files})
    file(STRINGS ${path} includes REGEX "^#include \"[a-z]+/")
    foreach(include ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${include}")
      if(target IN_LIST layer_folders AND NOT target IN_LIST allowed_${folder})
        string(APPEND layer_errors "\n  ${path}: ${include} (${folder} may not include ${target})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(layer_errors)
  message(FATAL_ERROR "An include runs up the layers:${layer_errors}")
endif()
