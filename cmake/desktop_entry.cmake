# desktop_entry.cmake -- run at install time: writes the desktop entry with the full path of the
# installed `velumbrina` command in its Exec line, so the entry starts the game whatever the prefix
# and whether or not the command's folder is on PATH.
# SPDX-License-Identifier: MIT

# Quotes a path for an Exec line the way desktop entries want it: in double quotes when it
# holds a reserved character, with ", `, $ and \ escaped, then \ escaped again for the value and
# % doubled (a lone % would start a field code).
function(vb_exec_quote path out)
    if(path MATCHES "[\n\r\t]")
        message(FATAL_ERROR "the install prefix holds a line break or a tab: ${path}")
    endif()
    set(quoted "${path}")
    if(quoted MATCHES "[ \"'\\\\><~|&;$*?#()`]")
        string(REPLACE "\\" "\\\\" quoted "${quoted}")
        string(REPLACE "\"" "\\\"" quoted "${quoted}")
        string(REPLACE "`" "\\`" quoted "${quoted}")
        string(REPLACE "$" "\\$" quoted "${quoted}")
        set(quoted "\"${quoted}\"")
    endif()
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(${out} "${quoted}" PARENT_SCOPE)
endfunction()

# Writes the entry from the template into the scratch folder and installs it into DATADIR's
# applications/; COMMAND_DIR is where the `velumbrina` command was installed (relative to the
# prefix, or absolute).
function(vb_install_desktop_entry template scratch_dir datadir command_dir)
    if(IS_ABSOLUTE "${command_dir}")
        set(command "${command_dir}/velumbrina")
    else()
        set(command "${CMAKE_INSTALL_PREFIX}/${command_dir}/velumbrina")
    endif()
    vb_exec_quote("${command}" VB_EXEC)
    configure_file("${template}" "${scratch_dir}/velumbrina.desktop" @ONLY)
    if(NOT IS_ABSOLUTE "${datadir}")
        set(datadir "${CMAKE_INSTALL_PREFIX}/${datadir}")
    endif()
    file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE
        FILES "${scratch_dir}/velumbrina.desktop")
    # file(INSTALL) lists what it installed in the manifest variable, which is the caller's.
    set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()
