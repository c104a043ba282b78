# Run by CPack on the staged package: strips the programs as Debian's dh_strip
# does, so that neither debugging symbols nor the compiler's notes ship.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
if(NOT programs)
  message(FATAL_ERROR "strip_programs: no programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${CPACK_QUILLON_STRIP} --remove-section=.comment --remove-section=.note ${program}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip_programs: cannot strip ${program}")
  endif()
endforeach()
