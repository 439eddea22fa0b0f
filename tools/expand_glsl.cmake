# Writes a finished GLSL file: INPUT with every line `#include "name"` replaced by the text of
# name, from the folder of INPUT. GLSL has no includes of its own; the shared pieces of the
# programs are kept once in assets/shaders/ and copied in here.
# Usage: cmake -DINPUT=<source> -DOUTPUT=<finished file> -P expand_glsl.cmake
get_filename_component(folder ${INPUT} DIRECTORY)
file(READ ${INPUT} text)
set(expansions 0)
while(text MATCHES "#include \"([^\"]+)\"")
  math(EXPR expansions "${expansions} + 1")
  if(expansions GREATER 32)
    message(FATAL_ERROR "${INPUT}: includes nest too deep (an include of itself?)")
  endif()
  set(directive "${CMAKE_MATCH_0}")
  set(piece_path "${folder}/${CMAKE_MATCH_1}")
  if(NOT EXISTS "${piece_path}")
    message(FATAL_ERROR "${INPUT}: included file ${piece_path} not found")
  endif()
  file(READ "${piece_path}" piece)
  string(REPLACE "${directive}\n" "${piece}" text "${text}")
  string(REPLACE "${directive}" "${piece}" text "${text}")
endwhile()
file(WRITE ${OUTPUT} "${text}")
