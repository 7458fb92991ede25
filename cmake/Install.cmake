# What `cmake --install` (and `make install`, and the Debian package) puts where, by the Debian
# conventions. The built-in pictures and music are compiled into the program, so nothing else is
# read from anywhere at run time.
#
#   bin/veltamar                                     the program
#   libexec/veltamar/veltamar-decoder                its decoding helper, which opens and decodes
#                                                    the user's pictures and music in a sandbox
#   libexec/veltamar/veltamar-saver                  the screensaver, which the program runs for its
#                                                    screensaver options (no toolkit libraries)
#   share/applications/com.example.veltamar.desktop  the aquarium in the desktop's menus
#   share/metainfo/com.example.veltamar.metainfo.xml what software centres show of it (AppStream);
#                                                    its id is the desktop entry's name
#   share/icons/hicolor/<size>/apps/veltamar.png     its icon, painted by the asset tool
#   libexec/xscreensaver/veltamar                    the saver in xscreensaver's hack folder (a link
#                                                    to the program, where the daemons look for it)
#   share/xscreensaver/config/veltamar.xml           its entry in xscreensaver's settings dialog
#   share/applications/screensavers/veltamar.desktop its entry for xfce4-screensaver and
#                                                    mate-screensaver
#   share/man/man6/veltamar.6.gz                     the manual page, dated by the release
#   share/doc/veltamar/copyright                     the licence (MIT), machine-readable
#   share/doc/veltamar/changelog.Debian.gz           the package's history
#   share/lintian/overrides/veltamar                 lintian's checks that do not apply, and why
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)

set(PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)

add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/icons/hicolor/256x256/apps/veltamar.png
    COMMAND veltamar-assetgen --icons ${PROJECT_BINARY_DIR}/icons
    DEPENDS veltamar-assetgen
    COMMENT "Painting the program's icon")
add_custom_target(veltamar_icons ALL DEPENDS ${PROJECT_BINARY_DIR}/icons/hicolor/256x256/apps/veltamar.png)

set(VELTAMAR_APPSTREAM_ID com.example.veltamar)
configure_file(${PACKAGING_SOURCE}/veltamar.6.in ${PACKAGING_BINARY}/veltamar.6 @ONLY)
configure_file(${PACKAGING_SOURCE}/${VELTAMAR_APPSTREAM_ID}.metainfo.xml.in
               ${PACKAGING_BINARY}/${VELTAMAR_APPSTREAM_ID}.metainfo.xml @ONLY)

# The copyright file carries the licence's terms from LICENSE, each line indented by one space and
# blank lines written " .", as the machine-readable format has them.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE licence_lines)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
set(VELTAMAR_LICENSE_TEXT)
set(in_terms OFF)
foreach(line IN LISTS licence_lines)
    if(line MATCHES "^Permission is hereby granted")
        set(in_terms ON)
    endif()
    if(in_terms)
        string(APPEND VELTAMAR_LICENSE_TEXT "\n ${line}")
    endif()
endforeach()
string(REPLACE "\n \n" "\n .\n" VELTAMAR_LICENSE_TEXT "${VELTAMAR_LICENSE_TEXT}")
string(SUBSTRING "${VELTAMAR_LICENSE_TEXT}" 1 -1 VELTAMAR_LICENSE_TEXT)
configure_file(${PACKAGING_SOURCE}/copyright.in ${PACKAGING_BINARY}/copyright @ONLY)

# Compressed as Debian wants them, without a name or time in the gzip header.
function(veltamar_compress from to)
    add_custom_command(OUTPUT ${to} COMMAND gzip -n -9 -c ${from} > ${to} DEPENDS ${from}
                       COMMENT "Compressing ${from}")
endfunction()
veltamar_compress(${PACKAGING_BINARY}/veltamar.6 ${PACKAGING_BINARY}/veltamar.6.gz)
veltamar_compress(${PACKAGING_SOURCE}/changelog ${PACKAGING_BINARY}/changelog.Debian.gz)
add_custom_target(veltamar_documents ALL DEPENDS ${PACKAGING_BINARY}/veltamar.6.gz ${PACKAGING_BINARY}/changelog.Debian.gz)

# The hack is a relative link, so it points at the program wherever the tree is installed or
# unpacked.
file(RELATIVE_PATH HACK_TARGET ${CMAKE_INSTALL_FULL_LIBEXECDIR}/xscreensaver ${CMAKE_INSTALL_FULL_BINDIR}/veltamar)
file(MAKE_DIRECTORY ${PACKAGING_BINARY}/hack)
file(CREATE_LINK ${HACK_TARGET} ${PACKAGING_BINARY}/hack/veltamar SYMBOLIC)

install(TARGETS veltamar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS veltamar-decoder veltamar-saver RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltamar)
# A stripped install (the package's) also drops the compiler's version notes, as Debian's own
# packaging tools do.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program ${CMAKE_INSTALL_BINDIR}/veltamar ${CMAKE_INSTALL_LIBEXECDIR}/veltamar/veltamar-decoder
                        ${CMAKE_INSTALL_LIBEXECDIR}/veltamar/veltamar-saver)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()")
install(FILES ${PACKAGING_SOURCE}/${VELTAMAR_APPSTREAM_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_BINARY}/${VELTAMAR_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PACKAGING_BINARY}/hack/veltamar DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${PACKAGING_SOURCE}/veltamar.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${PACKAGING_SOURCE}/veltamar-screensaver.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers RENAME veltamar.desktop)
install(FILES ${PACKAGING_BINARY}/veltamar.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGING_BINARY}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltamar)
install(FILES ${PACKAGING_BINARY}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltamar)
install(FILES ${PACKAGING_SOURCE}/veltamar.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME veltamar)
