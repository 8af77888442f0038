# The Debian package of the Linux program, made by `cpack -G DEB` in the build folder: the
# program, its manual page, its icon and, when KROVAN_GAME_DIR was given, its menu entry.
set(CPACK_PACKAGE_NAME krovan3d-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings dialog of the Krovan 3D tank game")
set(CPACK_PACKAGE_DESCRIPTION
    "One window that shows and saves the display, sound and keyboard settings of\n\
the two-player 3D tank game Krovan 3D (its krovan3d.cfg), and resets its high\n\
scores. Start it from the game's folder.")
set(CPACK_GENERATOR DEB)
# Installs into the staging folder through DESTDIR with the prefix /usr, so that the menu
# entry's Exec= names /usr/bin, not the staging folder.
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

include(CPack)
