# The Debian package vorlenta_<version>_amd64.deb: the program on the PATH and where XScreenSaver
# looks for its display modes, its settings description for XScreenSaver, a desktop entry for the
# desktops whose screen savers read those (Xfce, MATE), a manual page, the licence as a
# machine-readable copyright file and the changelog. Made from a build of its own, with Debian's
# hardening flags and without sanitizers: packaging/linux/build_package.sh.
set(linux_dir ${CMAKE_CURRENT_SOURCE_DIR}/linux)
set(doc_dir share/doc/vorlenta)

# A sanitizer build needs the sanitizers' run-time and stops at the first fault: never shipped.
if(VORLENTA_SANITIZE)
    install(CODE "message(FATAL_ERROR \"vorlenta: this build has sanitizers on (VORLENTA_SANITIZE):\
 no package from it; make one with packaging/linux/build_package.sh\")")
endif()

function(vorlenta_gzip name source)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz
        COMMAND gzip -n -9 -c ${source} > ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz
        DEPENDS ${source}
        COMMENT "Compressing ${name}")
endfunction()

# The copyright file carries the licence's own text, so it cannot drift from LICENSE.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(copyright_holders "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright [^\n]*\n\n" "" licence_terms "${licence}")
string(STRIP "${licence_terms}" licence_terms)
string(REGEX REPLACE "\n\n" "\n.\n" licence_terms "${licence_terms}")
string(REGEX REPLACE "\n" "\n " licence_terms "${licence_terms}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Vorlenta

Files: *
Copyright: ${copyright_holders}
License: Expat
 ${licence_terms}
")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

configure_file(${linux_dir}/vorlenta.6 ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6 @ONLY)
configure_file(${linux_dir}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
vorlenta_gzip(vorlenta.6 ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6)
vorlenta_gzip(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(vorlenta_package_files ALL
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_dependencies(vorlenta_package_files vorlenta)

# XScreenSaver runs its display modes from its own folder; the frame and desktop tools are run
# by name. One program, linked from there to the PATH.
file(CREATE_LINK ../../bin/vorlenta ${CMAKE_CURRENT_BINARY_DIR}/vorlenta-in-libexec SYMBOLIC)
install(TARGETS vorlenta RUNTIME DESTINATION bin)
# Stripped as dh_strip strips: without the debugging sections, the compiler's notes and comments.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment
    --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/vorlenta\")")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vorlenta-in-libexec DESTINATION libexec/xscreensaver
        RENAME vorlenta)
install(FILES ${linux_dir}/vorlenta.xml DESTINATION share/xscreensaver/config)
install(FILES ${linux_dir}/vorlenta.desktop DESTINATION share/applications/screensavers)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${doc_dir})

set(CPACK_PACKAGE_NAME vorlenta)
set(CPACK_PACKAGE_VENDOR Vorlenta)
set(CPACK_PACKAGE_CONTACT "Vorlenta <vorlenta@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver that blows up your desktop")
set(CPACK_PACKAGE_DESCRIPTION
"Vorlenta photographs the desktop, wraps the picture around a spinning
sphere with OpenGL and bursts it into 63 x 63 textured fragments that fly
apart while the camera circles and backs away.

It runs as an XScreenSaver display mode, from the screen savers of Xfce
and MATE, on Wayland desktops from an idle daemon such as swayidle, in a
window of its own, and renders single frames into PNG files without any
display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vorlenta.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The helper that gives the desktop picture, and the visual chooser without which XScreenSaver
# gives GL display modes a window the helper cannot copy the desktop into; on Wayland, grim,
# which photographs the desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver-data, xscreensaver-gl, grim")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | mate-screensaver | xfce4-screensaver")
include(CPack)
