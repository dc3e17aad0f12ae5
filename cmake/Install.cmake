# SPDX-License-Identifier: MIT
# Installs the game like a native desktop application and packages it as a .deb.
install(TARGETS huemix RUNTIME DESTINATION ${HUEMIX_INSTALL_BINDIR})
install(TARGETS sound_backend LIBRARY DESTINATION ${HUEMIX_INSTALL_MODULEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/huemix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 64 128 256)
  set(icon ${PROJECT_SOURCE_DIR}/resources/huemix-${size}.png)
  if(size EQUAL 256)
    set(icon ${PROJECT_SOURCE_DIR}/resources/huemix.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME huemix.png)
endforeach()
# The manual names the version the build has.
configure_file(${PROJECT_SOURCE_DIR}/resources/huemix.6.in huemix.6 @ONLY)
# Debian ships manual pages and changelogs compressed; -n keeps the build reproducible.
foreach(source ${CMAKE_CURRENT_BINARY_DIR}/huemix.6 ${PROJECT_SOURCE_DIR}/resources/changelog)
  get_filename_component(file ${source} NAME)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9nc ${source} > ${file}.gz
    DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS huemix.6.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/huemix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/huemix)
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
# Native Wayland, without which Qt runs through XWayland; and Qt's own texts
# (Yes, No, Cancel) in the player's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
