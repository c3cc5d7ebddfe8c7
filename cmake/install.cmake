# What `cmake --install` lays out: the header, the module (and on Windows its
# import libraries and module definition file), a CMake package giving
# pat::pat, and on Linux a pkg-config file, pat-host with its man page and the
# documentation. The Debian-only files are in cmake/packaging.cmake.
# The linux-i386 preset sets CMAKE_INSTALL_LIBDIR to lib/i386-linux-gnu
# (Debian multiarch) whatever the prefix: an i386 library beside the machine's
# own goes where the i386 loader, i386 pkg-config and CMake for i386
# consumers look, and native tools do not.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(FILES include/pat/pat.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pat)
install(TARGETS pat EXPORT patTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(WIN32)
  # pat.lib for MSVC-style linkers, and the .def both import libraries come from.
  install(FILES ${PAT_MSVC_IMPORT_LIBRARY} ${PAT_DEF_FILE} DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

set(PAT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/pat)
install(EXPORT patTargets NAMESPACE pat:: DESTINATION ${PAT_CMAKE_DIR})
configure_package_config_file(packaging/patConfig.cmake.in ${PROJECT_BINARY_DIR}/patConfig.cmake
                              INSTALL_DESTINATION ${PAT_CMAKE_DIR})
# The major version is the ABI's (the SONAME's); the version file also
# refuses a consumer whose pointers are not 32 bits wide.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/patConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/patConfig.cmake ${PROJECT_BINARY_DIR}/patConfigVersion.cmake
        DESTINATION ${PAT_CMAKE_DIR})

if(WIN32)
  return()
endif()

# pat.pc finds its prefix from its own place, so an installed tree can move.
file(RELATIVE_PATH PAT_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(packaging/pat.pc.in ${PROJECT_BINARY_DIR}/pat.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pat.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(TARGET pat-host)
  install(TARGETS pat-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  include(${CMAKE_CURRENT_LIST_DIR}/pat-host-man-page.cmake)
endif()
