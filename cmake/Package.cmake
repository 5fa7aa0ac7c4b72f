# The Debian package that `make package` builds from the installed files.
set(LOGVIEWER_CONTACT "Log viewer team <logviewer@example.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME logviewer)
set(CPACK_PACKAGE_VENDOR "Log viewer team")
set(CPACK_PACKAGE_CONTACT "${LOGVIEWER_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LOGVIEWER_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer for vehicle diagnostic logs: four stacked chart panes")
# CPack puts the summary above it as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A viewer for the comma-separated logs that a vehicle diagnostic tool
records, one measured parameter per file. Four logs are shown at once in
four stacked chart panes, so that sensor signals can be compared side by
side, on logs of up to millions of samples.
.
A drag over a pane zooms it and the other panes follow; panning, a cursor
readout of the nearest samples, one colour for all curves, and copying or
saving the window's picture are at hand.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/logviewer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Installed files belong to root whoever builds the package.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The libraries come from the binary; what it loads by name does not show
# there: the platform plugins that show the window, and the fonts that give
# it its described metrics (the form's Tahoma-metric face among them).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core, fonts-wine")

# The binary is shipped stripped. Its debug symbols stay in
# build/app/logviewer.debug (app/CMakeLists.txt), found by its build ID;
# CPack's -dbgsym package would list its files by absolute build paths.
set(CPACK_STRIP_FILES ON)
include(CPack)
