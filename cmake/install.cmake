# Installing: the program and its data under the prefix, a `velumbrina` command that runs the
# game from the player's own directory ($XDG_DATA_HOME/velumbrina or ~/.local/share/velumbrina),
# where the configuration, the log, screenshots and the player's levels/ are kept, and beside it
# `velumbrina-level`, the players' level maker, which puts the levels it builds there.
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
