# The program as a desktop application: `cmake --install` puts the viewer,
# its desktop entry (offered for CSV files), icon, AppStream metadata, manual
# page, README and the Debian documentation files under the prefix; `cpack` builds a
# Debian package of the same files (cmake/Package.cmake).
include(GNUInstallDirs)

# Debian wants the manual page and the changelog compressed at the highest
# level and without a time stamp, so that rebuilds give the same bytes.
function(logviewer_gzip source output)
  add_custom_command(OUTPUT "${output}"
                     COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh "${source}" "${output}"
                     DEPENDS "${source}" VERBATIM)
endfunction()
set(gzipped_man "${PROJECT_BINARY_DIR}/share/logviewer.1.gz")
set(gzipped_changelog "${PROJECT_BINARY_DIR}/share/changelog.gz")
set(gzipped_readme "${PROJECT_BINARY_DIR}/share/README.md.gz")
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/share")
logviewer_gzip("${PROJECT_SOURCE_DIR}/share/logviewer.1" "${gzipped_man}")
logviewer_gzip("${PROJECT_SOURCE_DIR}/share/changelog" "${gzipped_changelog}")
logviewer_gzip("${PROJECT_SOURCE_DIR}/README.md" "${gzipped_readme}")
add_custom_target(compressed_docs ALL DEPENDS "${gzipped_man}" "${gzipped_changelog}" "${gzipped_readme}")

install(TARGETS logviewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES share/logviewer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES share/logviewer.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES share/logviewer-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME logviewer.png)
install(FILES share/logviewer.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.logviewer.metainfo.xml)
install(FILES "${gzipped_man}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The README (which `logviewer --help` names) as Debian keeps documents.
install(FILES share/copyright "${gzipped_changelog}" "${gzipped_readme}" DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(cmake/Package.cmake)
