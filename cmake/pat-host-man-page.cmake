# pat-host.1, made by help2man from pat-host's --help. help2man runs the
# program it documents: a wrapper named pat-host runs the i386 binary through
# the cross-compiling emulator. Without help2man the build goes on without the
# man page (Debian: help2man; scripts/test installs it).
find_program(PAT_HELP2MAN help2man)
if(NOT PAT_HELP2MAN)
  message(STATUS "help2man not found: no man page for pat-host")
  return()
endif()
set(wrapper ${PROJECT_BINARY_DIR}/man/wrapper/pat-host)
file(GENERATE OUTPUT ${wrapper}
     CONTENT "#!/bin/sh\nexec ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:pat-host> \"$@\"\n"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(page ${PROJECT_BINARY_DIR}/man/pat-host.1)
add_custom_command(OUTPUT ${page}.gz
  COMMAND ${PAT_HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
          --name "polls PJL printers through the printer data module, simulates and serves them"
          --output ${page} ${wrapper}
  COMMAND gzip -9nf ${page}
  DEPENDS pat-host
  VERBATIM)
add_custom_target(pat-host-man-page ALL DEPENDS ${page}.gz)
install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
