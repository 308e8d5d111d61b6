# The fastest linker that this machine has: mold, else lld, else the
# compiler's own default. (CMake 3.25 has no setting for the linker's kind,
# so each is tried as a flag.) The test programs all link the whole program,
# so after a change the links take longer than the compiles.
include(CheckLinkerFlag)
set(SORVAN_LINKER "")
foreach(linker mold lld)
  check_linker_flag(CXX "-fuse-ld=${linker}" SORVAN_HAVE_LINKER_${linker})
  if(SORVAN_HAVE_LINKER_${linker})
    set(SORVAN_LINKER ${linker})
    add_link_options(-fuse-ld=${linker})
    break()
  endif()
endforeach()
if(SORVAN_LINKER)
  message(STATUS "Linker: ${SORVAN_LINKER}")
else()
  message(STATUS "Linker: the compiler's default")
endif()
