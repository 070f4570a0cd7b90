# The Debian package vorlenta_<version>_amd64.deb: the program where XScreenSaver looks for its
# hacks, its settings description for XScreenSaver, a desktop entry for the desktops whose screen
# savers read those (Xfce, MATE), and a manual page. Build it from the native build:
#     cpack --config build/native/CPackConfig.cmake -G DEB
set(linux_dir ${CMAKE_CURRENT_SOURCE_DIR}/linux)

configure_file(${linux_dir}/vorlenta.6 ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6 @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6.gz
    COMMAND gzip -n -9 -f -k ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6
    COMMENT "Compressing the manual page")
add_custom_target(vorlenta_manual ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6.gz)

install(TARGETS vorlenta RUNTIME DESTINATION libexec/xscreensaver)
install(FILES ${linux_dir}/vorlenta.xml DESTINATION share/xscreensaver/config)
install(FILES ${linux_dir}/vorlenta.desktop DESTINATION share/applications/screensavers)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vorlenta.6.gz DESTINATION share/man/man6)

set(CPACK_PACKAGE_NAME vorlenta)
set(CPACK_PACKAGE_VENDOR Vorlenta)
set(CPACK_PACKAGE_CONTACT "Vorlenta <vorlenta@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver that blows up your desktop")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vorlenta photographs the desktop, wraps the picture around a spinning sphere with OpenGL "
    "and bursts it into 63 x 63 textured fragments. It runs as an XScreenSaver hack, from the "
    "screen savers of Xfce and MATE, in a window of its own, and renders single frames into PNG "
    "files without any display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vorlenta.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | mate-screensaver | xfce4-screensaver")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver-data, xscreensaver-gl")
set(CPACK_STRIP_FILES ON)
include(CPack)
