# Run by CPack once the package is written (CPACK_POST_BUILD_SCRIPTS).
# CPack adds postinst and postrm scripts that run ldconfig whenever a shared
# library lies in a folder of /usr/lib: here the help window's web view
# library in the program folder, where the dynamic linker never looks. The
# package needs no maintainer scripts (Debian's triggers update the desktop's
# caches), so the package is written again without them.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
  execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${deb}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
