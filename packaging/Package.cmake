# The Debian package, written by CPack (scripts/package):
#   build/package/sorvan_<version>_<arch>.deb
# with the program folder under /usr/lib/sorvan, the launcher /usr/bin/sorvan,
# the desktop entry, the icons, the AppStream file and the list file type.
# Depends is computed from the shared libraries (dpkg-shlibdeps) plus what the
# program loads at run time without linking it.
if(NOT UNIX OR APPLE)
  return()
endif()

find_program(SORVAN_DPKG dpkg)
if(SORVAN_DPKG)
  execute_process(COMMAND ${SORVAN_DPKG} --print-architecture
                  OUTPUT_VARIABLE SORVAN_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
  set(SORVAN_DEB_ARCH amd64)
endif()

# CPack installs without building everything first: scripts/package builds
# the program (target Sorvan) and the tests and benchmarks install nothing.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small media player with a Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Sorvan plays one music file (MIDI, WAV, MP3) or video file (AVI, MPEG, MPG,
MOV) at a time, keeps a play list of the files you opened, saves it as a list
file and reads it back, plays audio CDs and shows a background picture that
changes every ten seconds. It answers the desktop's media keys and takes files
opened with it from the desktop, dragged from a file manager or named on the
command line, all in one window.")
set(CPACK_DEBIAN_FILE_NAME "sorvan_${PROJECT_VERSION}_${SORVAN_DEB_ARCH}.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${SORVAN_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sorvan developers <developers@sorvan.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libVLC's codecs and window output, MIDI through FluidSynth with the small
# General MIDI soundfont, the Japanese font, Qt's Japanese captions, the
# plug-in cache that makes libVLC start fast, and the session bus.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "vlc-plugin-base, vlc-plugin-video-output, vlc-plugin-fluidsynth, timgm6mb-soundfont, \
fonts-ipafont-gothic, qt6-translations-l10n, libvlc-bin")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dbus-user-session | dbus-x11")
# No maintainer scripts: CPack's ldconfig calls are taken out again.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/NoMaintainerScripts.cmake)

include(CPack)
