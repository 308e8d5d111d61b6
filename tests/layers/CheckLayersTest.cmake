# The layer check itself: it passes the program's own sources, and it fails,
# naming the file, for each kind of crossing planted in a small tree.
# Run as: cmake -DSOURCE_DIR=<src> -DCHECKER=<CheckLayers.cmake> -DWORK_DIR=<dir> -P CheckLayersTest.cmake

function(run_checker dir result_var output_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${dir} -P ${CHECKER}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

run_checker(${SOURCE_DIR} result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The program's sources cross a layer:\n${output}")
endif()

# file | its include line | must the check fail?
set(cases
  "controls/A.cpp|#include \"app/frmMain.h\"|fail"
  "controls/B.cpp|#include \"../app/frmMain.h\"|fail"
  "controls/C.cpp|#include <vlc/vlc.h>|pass"
  "controls/D.cpp|#include \"controls/MediaEngine.h\"|pass"
  "playlist/E.cpp|#include <vlc/vlc.h>|fail"
  "cd/F.cpp|  #  include <cdio/cdio.h>|fail"
  "app/G.cpp|#include \"help/frmBrowser22.h\"|fail"
  "app/H.cpp|#include \"playback/PathRules.h\"|fail"
  "app/I.cpp|#include \"controls/ListBox.h\"|pass"
  "app/main.cpp|#include \"help/frmBrowser22.h\"|pass"
  "playback/J.cpp|#include \"help/frmVersion.h\"|fail"
  "help/K.cpp|#include \"help/frmVersion.h\"|pass"
  "playlist/L.cpp|#include \"playback/PathRules.h\"|pass"
)
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 line)
  list(GET parts 2 expected)
  set(tree ${WORK_DIR}/layers-case)
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/${file} "// planted\n${line}\nint x;\n")
  run_checker(${tree} result output)
  if(expected STREQUAL "fail")
    if(result EQUAL 0)
      message(FATAL_ERROR "Not caught: ${file} with ${line}")
    endif()
    string(FIND "${output}" "${file}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "Caught without naming ${file}:\n${output}")
    endif()
  elseif(NOT result EQUAL 0)
    message(FATAL_ERROR "Wrongly refused: ${file} with ${line}\n${output}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR}/layers-case)
list(LENGTH cases count)
message(STATUS "layers: the sources pass; ${count} planted cases judged right")
