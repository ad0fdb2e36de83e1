# Installing: the program and its data under the prefix, and a `velumbrina` command that runs the
# game from the player's own directory ($XDG_DATA_HOME/velumbrina or ~/.local/share/velumbrina),
# where the configuration, the log and screenshots are kept.
include(GNUInstallDirs)
install(TARGETS velumbrina RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velumbrina)
install(DIRECTORY ${VB_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velumbrina
    PATTERN "Velumbrina.Cfg" EXCLUDE PATTERN "log.txt" EXCLUDE PATTERN "CAP.PCX" EXCLUDE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/velumbrina-launcher.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME velumbrina)
