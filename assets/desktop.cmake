# Desktop integration, laid out by `cmake --install`:
#   <prefix>/lib/sorvan/                    the program folder (executable and
#                                           PROGRAM_FILES, installed elsewhere)
#   <prefix>/bin/sorvan                     launcher: starts the program in
#                                           its program folder
#   <prefix>/share/applications/sorvan.desktop
#   <prefix>/share/icons/hicolor/<n>x<n>/apps/sorvan.png
#   <prefix>/share/metainfo/sorvan.metainfo.xml  (AppStream: software centres)
#   <prefix>/share/mime/packages/sorvan.xml  the list file type; Debian's
#                                           triggers update the MIME cache
# (Not in the sanitizer build, which installs and packages nothing.)
if(NOT UNIX OR APPLE OR SORVAN_SANITIZE)
  return()
endif()

# The icon, drawn by the same code as the windows' icon.
add_executable(sorvan_make_icons ${CMAKE_CURRENT_SOURCE_DIR}/generators/MakeIcons.cpp)
target_link_libraries(sorvan_make_icons PRIVATE sorvan_art Qt6::Gui)

set(SORVAN_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(SORVAN_ICON_SIZES 16 32 48 256)
set(SORVAN_ICON_FILES)
foreach(size ${SORVAN_ICON_SIZES})
  list(APPEND SORVAN_ICON_FILES ${SORVAN_ICON_DIR}/${size}x${size}/apps/sorvan.png)
endforeach()
add_custom_command(
  OUTPUT ${SORVAN_ICON_FILES}
  COMMAND sorvan_make_icons ${SORVAN_ICON_DIR} ${SORVAN_ICON_SIZES}
  DEPENDS sorvan_make_icons
  COMMENT "Drawing the desktop icons"
  VERBATIM)
add_custom_target(sorvan_desktop_files ALL DEPENDS ${SORVAN_ICON_FILES})

# The launcher finds the program folder relative to its own place.
foreach(dir BINDIR LIBDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
    set(_sorvan_${dir} "${CMAKE_INSTALL_${dir}}")
  else()
    set(_sorvan_${dir} "/prefix/${CMAKE_INSTALL_${dir}}")
  endif()
endforeach()
file(RELATIVE_PATH SORVAN_PROGRAM_DIR_FROM_BIN ${_sorvan_BINDIR} ${_sorvan_LIBDIR}/sorvan)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/desktop/sorvan.in ${CMAKE_CURRENT_BINARY_DIR}/sorvan @ONLY)

install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/sorvan DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/desktop/sorvan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/desktop/sorvan.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME sorvan.xml)
foreach(size ${SORVAN_ICON_SIZES})
  install(FILES ${SORVAN_ICON_DIR}/${size}x${size}/apps/sorvan.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The AppStream description. Software centres fetch its screenshot from the
# web, so it names where the screenshot that scripts/run takes is published
# (the placeholder host .invalid until it is).
set(SORVAN_SCREENSHOT_URL "https://sorvan.invalid/screenshots/main.png" CACHE STRING
    "Where the AppStream screenshot of the main window is published")
set(SORVAN_SCREENSHOT_WIDTH 1280)
set(SORVAN_SCREENSHOT_HEIGHT 800)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/desktop/sorvan.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/sorvan.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/sorvan.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
