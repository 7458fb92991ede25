# What `cmake --install` (and `make install`, and the Debian package) puts where, by the Debian
# conventions. The built-in pictures and music are compiled into the program, so nothing else is
# read from anywhere at run time.
#
#   bin/veltamar                                     the program
#   libexec/veltamar/veltamar-decoder                its decoding helper, which opens and decodes
#                                                    the user's pictures and music in a sandbox
#   share/applications/veltamar.desktop              the aquarium in the desktop's menus
#   share/icons/hicolor/<size>/apps/veltamar.png     its icon, painted by the asset tool
#   libexec/xscreensaver/veltamar                    the saver in xscreensaver's hack folder (a link
#                                                    to the program, where the daemons look for it)
#   share/xscreensaver/config/veltamar.xml           its entry in xscreensaver's settings dialog
#   share/applications/screensavers/veltamar.desktop its entry for xfce4-screensaver and
#                                                    mate-screensaver
#   share/man/man6/veltamar.6                        the manual page
include(GNUInstallDirs)

set(PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)

add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/icons/hicolor/256x256/apps/veltamar.png
    COMMAND veltamar-assetgen --icons ${PROJECT_BINARY_DIR}/icons
    DEPENDS veltamar-assetgen
    COMMENT "Painting the program's icon")
add_custom_target(veltamar_icons ALL DEPENDS ${PROJECT_BINARY_DIR}/icons/hicolor/256x256/apps/veltamar.png)

configure_file(${PACKAGING_SOURCE}/veltamar.6.in ${PACKAGING_BINARY}/veltamar.6 @ONLY)

# The hack is a relative link, so it points at the program wherever the tree is installed or
# unpacked.
file(RELATIVE_PATH HACK_TARGET ${CMAKE_INSTALL_FULL_LIBEXECDIR}/xscreensaver ${CMAKE_INSTALL_FULL_BINDIR}/veltamar)
file(MAKE_DIRECTORY ${PACKAGING_BINARY}/hack)
file(CREATE_LINK ${HACK_TARGET} ${PACKAGING_BINARY}/hack/veltamar SYMBOLIC)

install(TARGETS veltamar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS veltamar-decoder RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltamar)
install(FILES ${PACKAGING_SOURCE}/veltamar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PACKAGING_BINARY}/hack/veltamar DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${PACKAGING_SOURCE}/veltamar.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${PACKAGING_SOURCE}/veltamar-screensaver.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers RENAME veltamar.desktop)
install(FILES ${PACKAGING_BINARY}/veltamar.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
