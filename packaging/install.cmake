# The installed layout: the program in bin/, its data in share/vantorplay/
# (where programDataFolder() looks beside bin/), the desktop entry, icons,
# AppStream metadata, the manual page and the user documentation; and the
# Debian package made from it (tools/package.sh).
include(GNUInstallDirs)

set(VANTOR_APP_ID "com.orvanesoft.vantorplay" CACHE STRING "AppStream component id")
set(VANTOR_HOMEPAGE "https://vantorplay.invalid" CACHE STRING
  "The project's public home, for the AppStream metadata")

install(TARGETS vantorplay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${VANTOR_BUILD_DATA}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vantorplay
  PATTERN ".copied" EXCLUDE
  PATTERN ".generated" EXCLUDE)
install(FILES ${PROJECT_BINARY_DIR}/vantorplay.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${VANTOR_ICONS}/${size}x${size}/vantorplay.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/vantorplay.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/vantorplay.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vantorplay.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vantorplay.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/menus.md
  ${PROJECT_SOURCE_DIR}/docs/skins.md
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantorplay)

# Debian package. The library dependencies come from dpkg-shlibdeps; the
# GStreamer and Qt plugin packages the player loads at run time are found
# by tools/package.sh, which plays the test media and passes them in.
set(VANTOR_RUNTIME_PACKAGES "" CACHE STRING "Plugin packages the player loads at run time")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantorplay)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "skinned movie player with subtitles, playlists and interactive menus")
set(CPACK_PACKAGE_DESCRIPTION
  "Plays AVI, MPEG, ASF and MP4 movies in a skinned window, with subtitles,
playlists, full screen with aspect-ratio presets and interactive menus.")
set(CPACK_PACKAGE_CONTACT "Vantor Meridian developers <developers@vantorplay.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VANTOR_RUNTIME_PACKAGES}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
