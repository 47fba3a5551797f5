# Installation layout (cmake --install) and the Debian package (cpack -G DEB).
# The installed program looks for its translations in <prefix>/share/pitchbook/locale (see core/Intl.cpp).
include(GNUInstallDirs)
set(PITCHBOOK_APP_ID io.github.pitchbook.Pitchbook)
set(PITCHBOOK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS pitchbook-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET pitchbook)
  install(TARGETS pitchbook RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(DIRECTORY ${CMAKE_BINARY_DIR}/locale/ DESTINATION ${CMAKE_INSTALL_DATADIR}/pitchbook/locale
  FILES_MATCHING PATTERN default.mo PATTERN CMakeFiles EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/NEWS DESTINATION ${CMAKE_INSTALL_DATADIR}/pitchbook OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/ui/sounds/Goal.mp3 DESTINATION ${CMAKE_INSTALL_DATADIR}/pitchbook)

install(FILES ${PITCHBOOK_PACKAGING_DIR}/${PITCHBOOK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PITCHBOOK_PACKAGING_DIR}/${PITCHBOOK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PITCHBOOK_PACKAGING_DIR}/icons/${PITCHBOOK_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PITCHBOOK_PACKAGING_DIR}/icons/${size}/${PITCHBOOK_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

install(FILES ${PITCHBOOK_PACKAGING_DIR}/pitchbook-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 OPTIONAL)
install(FILES ${PITCHBOOK_PACKAGING_DIR}/pitchbook-cli.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME pitchbook-cli OPTIONAL)

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${PITCHBOOK_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pitchbook)

# The Debian package: its dependencies are computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pitchbook)
set(CPACK_PACKAGE_VENDOR "Pitchbook developers")
set(CPACK_PACKAGE_CONTACT "Pitchbook developers <pitchbook@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop assistant for the manager of a Kickvale football club")
set(CPACK_PACKAGE_DESCRIPTION "Pitchbook downloads a club's files from the Kickvale game interface, keeps every
download as a dated snapshot, shows the squad with position ratings and the matches with their sector
ratings, finds the best lineup for a formation and draws the club's history. pitchbook-cli drives the same
engine from the command line with JSON output.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
