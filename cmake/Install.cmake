# Installs the game like a native desktop application and packages it as a .deb.
include(GNUInstallDirs)

install(TARGETS huemix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/huemix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/huemix.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.example.Huemix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huemix)
set(CPACK_PACKAGE_VENDOR "The Huemix developers")
set(CPACK_PACKAGE_CONTACT "huemix@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Puzzle game of additive colour mixing")
set(CPACK_PACKAGE_INSTALL_DIRECTORY huemix)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are read off the binary, so the package names what it links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
