# The Debian package, made by CPack from what `cmake --install` installs: `make package`
# writes verbolt-editor_<version>_<arch>.deb into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verbolt-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Korvane")
set(CPACK_PACKAGE_CONTACT "Verbolt Editor maintainers <verbolt-editor@korvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write the translated language file of the Korvane System v4")
set(CPACK_PACKAGE_INSTALL_DIRECTORY verbolt-editor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION localization)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.korvane.com/")
# The synopsis is the summary above; this is the extended description below it.
set(CPACK_PACKAGE_DESCRIPTION "Verbolt Editor writes the language file of the Korvane System v4, a
statistics site for game servers. You fill 55 phrase fields, each starting
with its English default, on five pages, press Create, look at the PHP
script on the File page and save it, in the ANSI code page of your locale
or the one you choose. A file saved earlier can be opened again.")
# The libraries the program links come from dpkg-shlibdeps; what it loads at run time
# besides them is named here: the faces the window is drawn with, and Qt's platform plugins
# (the X11 one among them) that show the window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-dejavu-core, qt6-qpa-plugins")

# As Debian's own packaging does, the manual page and the changelog travel compressed.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/compress-docs.cmake)

include(CPack)
