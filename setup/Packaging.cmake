# The Debian package: after `cmake --build build --target release`,
# `cpack -G DEB` in the build folder writes kova_<version>_<arch>.deb.
#
#   /usr/bin                      kova, kova-cli, kova-sim, kova-set
#   /usr/share/kova               KOVA_M1002.TXT (the programs look beside
#                                 themselves first, then in ../share/kova)
#   /usr/share/applications       kova.desktop, the menu entry
#   /usr/share/icons/hicolor      kova.svg
#   /usr/lib/udev/rules.d         70-kova-cp210x.rules: the desktop user may
#                                 open the radio terminal's USB-UART bridge
install(TARGETS kova kova-cli kova-sim kova-set RUNTIME DESTINATION bin)
install(FILES ${KOVA_LANGUAGE_FILE} DESTINATION share/kova)
install(FILES package/kova.desktop DESTINATION share/applications)
install(FILES package/kova.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES package/70-kova-cp210x.rules DESTINATION lib/udev/rules.d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MERIDO electronics")
set(CPACK_PACKAGE_CONTACT "MERIDO electronics <kova@merido.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "terminal for PCB auto-insertion machines over a USB radio terminal")
set(CPACK_PACKAGE_DESCRIPTION
    "KOVA moves NC programs between the PC and auto-insertion machines (DYNA/PERT, PANASERT, CITIZEN/M10, TDK, UNIVERSAL) through a USB radio terminal. It holds the window kova, the console kova-cli, the simulator kova-sim and the per-user set-up kova-set.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The Qt libraries come from dpkg-shlibdeps; the platform plugins that draw
# the windows are a package of their own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-nanum, pkexec")
# Only a postinst: udev notices a removed rule file by itself, and a package
# without a postrm leaves nothing behind on `apt remove`.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/package/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
