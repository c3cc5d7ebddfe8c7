# CPack: the Debian package (linux-i386: `cpack -G DEB` in the build tree) and
# the archive for Windows host vendors (windows-i686: `cpack -G ZIP`).
set(CPACK_PACKAGE_NAME pat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the pat authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "printer data module for status-monitoring hosts")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  configure_file(packaging/windows/README.txt ${PROJECT_BINARY_DIR}/README.txt @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  include(CPack)
  return()
endif()

# One i386 package with the library, its development files, pat-host and the
# service. The files only the package carries (absolute paths under /etc and
# /lib, the Debian copyright and changelog) are the component `debian`, which
# a plain `cmake --install` leaves out.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(PAT_DEB_MAINTAINER "pat maintainers <maintainers@pat.invalid>" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PAT_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "libpat.so.${PAT_ABI_VERSION} is a 32-bit module that builds PJL queries for printers,
parses their answers and IEEE 1284 device IDs into a host's records and
composes status texts; with its header, CMake and pkg-config files for hosts.
pat-host polls PJL printers through it and serves their status and Prometheus
metrics over HTTP, also as the service pat-host.service.")
# Debug information stays in the build tree.
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps resolves the i386 libraries through the i386 packages
# (libc6:i386, libstdc++6:i386, libgcc-s1:i386), not the multilib copies of
# g++-multilib, which belong to amd64 packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The example targets file is a conffile; the loader's cache is refreshed by
# the ldconfig trigger, not by ldconfig in the scripts, which only reload
# systemd and stop or restart the service.
set(PAT_DEB_CONTROL_FILES conffiles triggers postinst prerm postrm)
list(TRANSFORM PAT_DEB_CONTROL_FILES PREPEND ${PROJECT_SOURCE_DIR}/packaging/debian/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PAT_DEB_CONTROL_FILES})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(doc /usr/share/doc/${CPACK_PACKAGE_NAME})
configure_file(packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
  COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian VERBATIM)
add_custom_target(pat-debian-changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz)
install(FILES packaging/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
        DESTINATION ${doc} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES packaging/systemd/pat-host.service DESTINATION /lib/systemd/system COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES packaging/targets.json DESTINATION /etc/pat-host COMPONENT debian EXCLUDE_FROM_ALL)
include(CPack)
