# What `cmake --install` puts where, and the Debian package `make package` builds from it.
include(GNUInstallDirs)

# The launcher and the AppStream data use the reverse-DNS id; the autostart entry a user may
# already have keeps its own name (pelmix.desktop), and the icon keeps the plain program name.
set(PELMIX_APP_ID org.pelmix.Pelmix)

install(TARGETS pelmix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${PELMIX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${PELMIX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/pelmix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/icons/pelmix-symbolic.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/symbolic/apps)
# Debian ships manual pages compressed.
set(PELMIX_MANUAL ${CMAKE_BINARY_DIR}/pelmix.1.gz)
add_custom_command(OUTPUT ${PELMIX_MANUAL}
  COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/data/pelmix.1' > '${PELMIX_MANUAL}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/data/pelmix.1 VERBATIM)
add_custom_target(manual ALL DEPENDS ${PELMIX_MANUAL})
install(FILES ${PELMIX_MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/completions/pelmix DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmix)
set(CPACK_PACKAGE_VENDOR "The Pelmix developers")
set(CPACK_PACKAGE_CONTACT "The Pelmix developers <pelmix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Break reminder for the Linux desktop")
# One string: separate arguments would join with semicolons.
set(CPACK_PACKAGE_DESCRIPTION "Pelmix sits in the system tray, counts only the time you actually work at the \
keyboard and mouse, and asks you to step away when a work interval is over. It records work and break \
sessions, collects focused time per task and shows statistics. Everything stays local.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the symbol font the tray and the
# views draw with, and the SVG plugins that load the icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-materialdesignicons-webfont, libqt6svg6, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-user-dirs")
include(CPack)
