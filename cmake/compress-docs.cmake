# Run by CPack on its staging folder before the package is made: compresses the manual page
# and the changelog with `gzip -9n` (no name, no time stamp), as Debian's policy asks.
file(GLOB_RECURSE docs
  ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man1/*.1
  ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/*/changelog)
foreach(doc ${docs})
  execute_process(COMMAND gzip -9nf ${doc} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${doc}")
  endif()
endforeach()
