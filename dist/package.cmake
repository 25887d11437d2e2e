# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by CPack from what `cmake --install` puts in place. Its dependencies
# are read from the programs' shared libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME somvixmn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "somvixmn developers <bugs@somvixmn.org>" CACHE STRING
    "Maintainer of the package, who receives fault reports")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "download and draw the recordings of the SOMVIX patient monitor")
# CPack makes the summary the synopsis line and indents these lines under it; an empty line
# separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "SOMVIXMN is the desktop companion of the SOMVIX recording monitor, a patient
monitor that records trend, EEG, event and electrode-impedance data.

It downloads every monitoring that the PC has not fetched before over the
crossed Ethernet cable or the local network, keeps records of what it fetched
and erased, erases the monitor's monitorings once a complete copy is on the
PC, and draws a trend recording as two charts with its events.

The package holds the window program somvixmn (in Spanish) and the command
line somvixmn-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SOMVIX_WEB_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
