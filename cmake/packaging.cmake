# The Debian package of the Linux program, made by `cpack -G DEB` in the build folder: the
# program, its manual page, its icon, its changelog and copyright file and, when KROVAN_GAME_DIR
# was given, its menu entry. With SOURCE_DATE_EPOCH set, CPack gives every file in it and the
# package's own members that date and leaves the gzip headers without one.
set(CPACK_PACKAGE_NAME krovan3d-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings dialog of the Krovan 3D tank game")
set(CPACK_PACKAGE_DESCRIPTION
    "One window that shows and saves the display, sound and keyboard settings of\n\
the two-player 3D tank game Krovan 3D (its krovan3d.cfg), and resets its high\n\
scores. Start it from the game's folder.")
set(CPACK_GENERATOR DEB)
# Installs into the staging folder through DESTDIR with the prefix /usr, so that the menu
# entry's Exec= names /usr/games, not the staging folder.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(KROVAN_PACKAGE_MAINTAINER "Krovan 3D maintainers <maintainers@krovan3d.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KROVAN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends: from the shared libraries the program links, by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package's changelog and copyright file, where Debian keeps them; the changelog compressed
# as Debian expects it, without a name or date in the gzip header.
include(GNUInstallDirs)
set(package_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS packaging/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} packaging/copyright DESTINATION ${package_doc_dir})
# Where lintian finds the package's overrides, each with the reason the tag does not apply.
install(FILES packaging/lintian-overrides RENAME ${CPACK_PACKAGE_NAME}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides)

include(CPack)
