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
  "controls/forms/A.cpp|#include \"app/frmMain.h\"|fail"
  "controls/forms/B.cpp|#include \"../app/frmMain.h\"|fail"
  "controls/mediaplayer/C.cpp|#include <vlc/vlc.h>|fail"
  "controls/mediaplayer/D.cpp|#include \"engine/vlc/VlcMediaEngine.h\"|fail"
  "controls/cdplayer/D2.cpp|#include \"engine/CdDrive.h\"|pass"
  "controls/dialogs/D3.cpp|#include \"controls/forms/ListBox.h\"|fail"
  "controls/dialogs/D4.cpp|#include \"system/RegularFile.h\"|pass"
  "controls/forms/D5.cpp|#include \"engine/MediaEngine.h\"|fail"
  "controls/forms/D6.cpp|#include \"controls/dialogs/MessageBoxes.h\"|fail"
  "controls/mediaplayer/D7.cpp|#include \"controls/cdplayer/CdSession.h\"|fail"
  "controls/cdplayer/D8.cpp|#include \"controls/mediaplayer/MediaSession.h\"|fail"
  "controls/cdplayer/D9.cpp|#include \"controls/forms/StyleIcon.h\"|pass"
  "controls/mediaplayer/D10.cpp|#include \"controls/dialogs/FileDialogs.h\"|fail"
  "controls/D11.cpp|#include <QString>|fail"
  "cd/D12.cpp|#include \"controls/cdplayer/MMControl.h\"|pass"
  "engine/vlc/E.cpp|#include <vlc/vlc.h>|pass"
  "engine/cdio/E2.cpp|#include <vlc/vlc.h>|fail"
  "engine/E3.cpp|#include \"controls/forms/Timer.h\"|fail"
  "engine/vlc/E4.cpp|#include \"system/SystemCalls.h\"|pass"
  "playlist/E5.cpp|#include <vlc/vlc.h>|fail"
  "cd/F.cpp|  #  include <cdio/cdio.h>|fail"
  "engine/cdio/F2.cpp|#include <cdio/cdio.h>|pass"
  "app/F3.cpp|#include \"engine/cdio/CdioDrive.h\"|fail"
  "app/G.cpp|#include \"help/frmBrowser22.h\"|fail"
  "app/H.cpp|#include \"playback/PathRules.h\"|fail"
  "app/I.cpp|#include \"controls/forms/ListBox.h\"|pass"
  "app/I2.cpp|#include \"desktop/DropTarget.h\"|fail"
  "main/main.cpp|#include \"help/frmBrowser22.h\"|pass"
  "main/M.cpp|#include \"engine/vlc/VlcMediaEngine.h\"|pass"
  "playback/J.cpp|#include \"help/frmVersion.h\"|fail"
  "help/K.cpp|#include \"help/frmVersion.h\"|pass"
  "help/K2.cpp|#include <QWebEngineView>|fail"
  "help/webview/K3.cpp|#include <QWebEngineView>|pass"
  "help/webview/K4.cpp|#include \"app/frmMain.h\"|fail"
  "playlist/L.cpp|#include \"playback/PathRules.h\"|pass"
  "system/N.cpp|#include \"controls/forms/Timer.h\"|fail"
  "desktop/mpris/O.cpp|#include \"app/frmMain.h\"|fail"
  "desktop/mpris/O2.cpp|#include \"desktop/MprisBinding.h\"|fail"
  "desktop/O3.cpp|#include \"desktop/mpris/MprisService.h\"|pass"
  "desktop/O4.cpp|#include \"main/RealPlatform.h\"|fail"
  "stray/P.cpp|#include <QString>|fail"
  "engine/tags/Q.cpp|#include <taglib/id3v1tag.h>|pass"
  "engine/tags/Q2.cpp|#include \"text/TextDecoding.h\"|pass"
  "engine/tags/Q3.cpp|#include <cdio/cdio.h>|fail"
  "engine/cdio/Q4.cpp|#include <taglib/fileref.h>|fail"
  "controls/mediaplayer/Q5.cpp|#include <taglib/fileref.h>|fail"
  "controls/mediaplayer/Q6.cpp|#include \"engine/tags/TagLibTagReader.h\"|fail"
  "controls/mediaplayer/Q7.cpp|#include \"engine/MediaTags.h\"|pass"
  "text/R.cpp|#include \"engine/MediaTags.h\"|fail"
  "playlist/R2.cpp|#include \"text/TextDecoding.h\"|pass"
  "desktop/S.cpp|#include \"playlist/formats/ListFormats.h\"|pass"
  "desktop/S2.cpp|#include \"playlist/ListFile.h\"|fail"
  "playlist/formats/S3.cpp|#include \"app/frmMain.h\"|fail"
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
