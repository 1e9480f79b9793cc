# The Debian package of what `cmake --install` puts under /usr, made by `cpack -G DEB`
# (scripts/package.sh). dpkg-shlibdeps finds the libraries the programs link and names their
# packages in Depends; Qt's translations, the image plugins and the SQLite driver are loaded at
# run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lmr)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "LMR developers <lmr@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "host program of the LMR microclimate (heat-stress) meter")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "host program of the LMR microclimate (heat-stress) meter
 Finds the meter on the serial ports, takes live readings (big digits, charts, a table,
 critical levels with an alarm tone), downloads its data logger into data files, reads
 its memory cells, sets its clock, shows statistics, assesses working conditions and
 writes the measurement protocol as a spreadsheet workbook. The user interface is in
 Russian. Includes lmr-sim, a simulated meter on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc | gnumeric, xdg-user-dirs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
