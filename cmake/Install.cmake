# SPDX-License-Identifier: MIT
# Installs the game like a native desktop application and packages it as a .deb.
include(GNUInstallDirs)

install(TARGETS huemix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/huemix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/huemix.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.example.Huemix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian wants the licence as the package's copyright file.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/huemix RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huemix)
set(CPACK_PACKAGE_VENDOR "The Huemix developers")
set(CPACK_PACKAGE_CONTACT "huemix@example.org")
# Debian's Maintainer field wants a name and an address.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Huemix developers <huemix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Puzzle game of additive colour mixing")
# The extended description shown by apt show and software centres.
set(CPACK_PACKAGE_DESCRIPTION
    "Coloured tiles fall down a field of nine columns; steer each one with the
arrow keys. Red, green and blue mix into yellow, magenta and cyan, and each
of those makes white with the primary it lacks. Every white scores a point;
incompatible colours turn gray and raise the bottom line.

The Beginner mode is slower and shows which colours the falling tile mixes
with; the Expert mode is faster, and its scores are kept on a score board.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY huemix)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are read off the binary, so the package names what it links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
