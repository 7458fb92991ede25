# `make deb` (cpack -G DEB): a Debian package of what cmake/Install.cmake installs, under /usr.
# Its dependencies are computed from the program's libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltamar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Veltamar maintainers <maintainers@users.noreply.c-seed-5b9c41b7.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D aquarium to watch and fill with fish, and a screensaver")
# The summary above is the description's first line; this is the rest.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fish swim, eat and blow bubbles in a 3D aquarium that fills the screen. The\n"
    "fish can be fed, touched and counted, and the water, light and backdrop set\n"
    "to taste, with the user's own pictures and music.\n"
    "\n"
    "The same aquarium runs as a screensaver for xscreensaver, xfce4-screensaver\n"
    "and mate-screensaver.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help text's face; without it the text is simply not drawn.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xfce4-screensaver | mate-screensaver")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
