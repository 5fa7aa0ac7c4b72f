# The program as a desktop application: `cmake --install` puts the viewer,
# its desktop entry (offered for CSV files) and its icon under the prefix;
# `cpack` builds a Debian package of the same files.
include(GNUInstallDirs)
install(TARGETS logviewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES share/logviewer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES share/logviewer.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES share/logviewer-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME logviewer.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME logviewer)
set(CPACK_PACKAGE_VENDOR "Log viewer team")
set(CPACK_PACKAGE_CONTACT "Log viewer team <logviewer@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer for vehicle diagnostic logs: four stacked chart panes")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The fonts give the window its described metrics; the platform plugins show it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6gui6, libqt6core6, qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")
include(CPack)
