# Checks which folder of the program includes which, and fails the build on
# the first file that crosses a layer:
#   - libVLC (<vlc/...>) and libcdio (<cdio/...>) only from controls/;
#   - controls/ includes nothing of the program outside controls/;
#   - app/ includes only app/, controls/ and the art; its main.cpp, where the
#     program is put together, may include any folder;
#   - help/ is included only by help/ itself and main.cpp;
#   - no include climbs out of its folder with "../".
# Run as: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: SOURCE_DIR not given")
endif()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
list(SORT files)
set(violations "")

foreach(file ${files})
  string(REGEX MATCH "^[^/]+" folder "${file}")
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)")
      continue()
    endif()
    set(kind "${CMAKE_MATCH_1}")
    set(included "${CMAKE_MATCH_2}")
    if(kind STREQUAL "<")
      if(included MATCHES "^(vlc|cdio)/" AND NOT folder STREQUAL "controls")
        list(APPEND violations "${file}: <${included}> (libVLC and libcdio belong to controls/)")
      endif()
      continue()
    endif()
    if(included MATCHES "(^|/)\\.\\./")
      list(APPEND violations "${file}: \"${included}\" (climbs out of its folder)")
      continue()
    endif()
    if(NOT included MATCHES "/")
      continue()  # a file of the same folder
    endif()
    string(REGEX MATCH "^[^/]+" target "${included}")
    if(target STREQUAL folder OR file STREQUAL "app/main.cpp")
      continue()
    endif()
    if(folder STREQUAL "controls")
      list(APPEND violations "${file}: \"${included}\" (controls/ sees only itself)")
    elseif(folder STREQUAL "app" AND NOT target MATCHES "^(controls|art)$")
      list(APPEND violations "${file}: \"${included}\" (app/ sees only controls/)")
    elseif(target STREQUAL "help")
      list(APPEND violations "${file}: \"${included}\" (help/ is the help handlers' own)")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that cross a layer:\n  ${text}")
endif()
