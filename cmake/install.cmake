# Installing: the program and its data under the prefix, a `velumbrina` command that runs the
# game from the player's own directory ($XDG_DATA_HOME/velumbrina or ~/.local/share/velumbrina),
# where the configuration, the log, screenshots and the player's levels/ are kept, and beside it
# `velumbrina-level`, the players' level maker, which puts the levels it builds there. The
# desktop entry and the icon in the theme's sizes put the game in the application menu.
# `cpack -G DEB` in the build directory packs the same files under /usr into a .deb.
include(GNUInstallDirs)
install(TARGETS velumbrina RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
install(DIRECTORY ${VB_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velumbrina
    PATTERN "Velumbrina.Cfg" EXCLUDE PATTERN "log.txt" EXCLUDE PATTERN "CAP.PCX" EXCLUDE
    PATTERN "levels" EXCLUDE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-launcher.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME velumbrina)
if(TARGET velumbrina-level)
    install(TARGETS velumbrina-level RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
    install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-level-launcher.sh
        DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME velumbrina-level)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/cmake/velumbrina.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
if(VB_CONTENT)
    foreach(size ${VB_ICON_SIZES})
        install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/velumbrina.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velumbrina)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "Velumbrina")
set(CPACK_PACKAGE_CONTACT "Velumbrina developers <velumbrina@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flick-screen platform game with its own level maker")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # the libraries' packages, as dpkg-shlibdeps finds them
include(CPack)
