# Installing: the program and its data under the prefix (the program finds the data from its own
# place), a `velumbrina` command that runs it, keeping the player's files in the XDG base
# directories (the configuration in $XDG_CONFIG_HOME/velumbrina, the levels, screenshots,
# replays and records in $XDG_DATA_HOME/velumbrina, the log in $XDG_STATE_HOME/velumbrina), and
# beside it `velumbrina-level`, the players' level maker, which puts the levels it builds there. The
# desktop entry and the icon in the theme's sizes put the game in the application menu; the
# manual pages, the copyright file and the changelog go with them.
# `cpack -G DEB` in the build directory packs the same files under /usr into a .deb.
# SPDX-License-Identifier: MIT
include(GNUInstallDirs)
install(TARGETS velumbrina RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
install(DIRECTORY ${VB_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velumbrina
    PATTERN "Velumbrina.Cfg" EXCLUDE PATTERN "log.txt" EXCLUDE PATTERN "CAP*.PCX" EXCLUDE
    PATTERN "levels" EXCLUDE PATTERN "replays" EXCLUDE PATTERN "records" EXCLUDE)
# The commands: Debian's policy puts games in /usr/games, so under the prefix /usr (the Debian
# package's) they go there, under any other prefix into bin/. Known only at install time.
install(CODE "string(REGEX REPLACE \"/+$\" \"\" vb_prefix \"\${CMAKE_INSTALL_PREFIX}\")
if(vb_prefix STREQUAL \"/usr\")
    set(VB_COMMAND_DIR games)
else()
    set(VB_COMMAND_DIR \"${CMAKE_INSTALL_BINDIR}\")
endif()")
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-launcher.sh DESTINATION \${VB_COMMAND_DIR}
    RENAME velumbrina)
set(VB_MAN_PAGES velumbrina.6)
if(TARGET velumbrina-level)
    install(TARGETS velumbrina-level RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
    install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-level-launcher.sh
        DESTINATION \${VB_COMMAND_DIR} RENAME velumbrina-level)
    list(APPEND VB_MAN_PAGES velumbrina-level.6)
endif()
if(TARGET velumbrina-replay) # the replay tool: what a replay holds, and checking replays
    install(TARGETS velumbrina-replay RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
    install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-level-launcher.sh
        DESTINATION \${VB_COMMAND_DIR} RENAME velumbrina-replay)
    list(APPEND VB_MAN_PAGES velumbrina-replay.6)
endif()
# The desktop entry's Exec names the installed command by its full path.
install(CODE "include(\"${CMAKE_SOURCE_DIR}/cmake/desktop_entry.cmake\")
vb_install_desktop_entry(\"${CMAKE_SOURCE_DIR}/cmake/velumbrina.desktop.in\"
    \"${CMAKE_BINARY_DIR}/desktop\" \"${CMAKE_INSTALL_DATADIR}\" \"\${VB_COMMAND_DIR}\")")
if(VB_CONTENT)
    foreach(size ${VB_ICON_SIZES})
        install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/velumbrina.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

include(${CMAKE_SOURCE_DIR}/cmake/documents.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velumbrina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Velumbrina authors")
set(CPACK_PACKAGE_CONTACT "${VB_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flick-screen platform game with its own level maker")
# The package's long description, one line of it a line here (Debian wants them under 80).
set(CPACK_PACKAGE_DESCRIPTION "Steer a character through the 25 rooms of a level: walk, make
high and long jumps, ride moving platforms and conveyor belts, push blocks,
dodge enemies, slime and spikes, pick up energy, and pull the lever that ends
each room. Passwords start play in any room reached. The rooms come in five
worlds, each with its own look: a sky with drifting clouds, dripping ceilings,
dust, a creeping slime, and a light that casts shadows. Keys can be rebound and
game pads play too. velumbrina-level turns a level written as text into one the
game lists under USER LEVEL, once it has shown that every room can be finished.")
set(CPACK_STRIP_FILES ON) # no debugging symbols in the package
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # the libraries' packages, as dpkg-shlibdeps finds them
include(CPack)
