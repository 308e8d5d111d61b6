# The help page, copied into the program folder as "Trevixhelp.htm".
set(HELP_PAGE_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/help/Trevixhelp.htm)
set(HELP_PAGE ${SORVAN_PROGRAM_DIR}/Trevixhelp.htm)
add_custom_command(
  OUTPUT ${HELP_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SORVAN_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_PAGE_SOURCE} ${HELP_PAGE}
  DEPENDS ${HELP_PAGE_SOURCE}
  COMMENT "Copying the help page Trevixhelp.htm"
  VERBATIM)
list(APPEND PROGRAM_FILES ${HELP_PAGE})
