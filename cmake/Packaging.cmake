# `make deb` (cpack -G DEB): a Debian package of what cmake/Install.cmake installs, under /usr.
# Its dependencies are computed from the program's libraries by dpkg-shlibdeps; its version,
# maintainer and date come from packaging/changelog (cmake/Release.cmake). `make deb` builds it with
# the distribution's compiler flags (dpkg-buildflags).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltamar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VELTAMAR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D aquarium to watch and fill with fish, and a screensaver")
# The summary above is the description's first line; this is the rest.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fish swim, eat and blow bubbles in a 3D aquarium that fills the screen. The\n"
    "fish can be fed, touched and counted, and the water, light and backdrop set\n"
    "to taste, with the user's own pictures and music.\n"
    "\n"
    "The same aquarium runs as a screensaver for xscreensaver, xfce4-screensaver\n"
    "and mate-screensaver.")
# A desktop toy and an X11 screensaver, with its program in /usr/bin where the daemons' hack link
# and the desktop entries find it ("games" would want it in /usr/games).
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VELTAMAR_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/veltamar")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help text's face; without it the text is simply not drawn.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xfce4-screensaver | mate-screensaver")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Every file of the package, and the package itself, bears the release's time unless the builder
# gives SOURCE_DATE_EPOCH: two packs of one release are the same bytes.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/packaging/CPackProjectConfig.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [=[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} @VELTAMAR_RELEASE_EPOCH@)
endif()
]=] @ONLY)
include(CPack)
