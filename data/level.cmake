# level.cmake -- the levels: data/level/velba1.txt (the game's level) and data/level2/velba2.txt
# (the bonus level) compiled into maps/ by the level compiler (with the game's own map writer),
# then, in a developer's build, checked room by room by the level checker, which writes the
# routes it found and fails the build unless every room passes.
# SPDX-License-Identifier: MIT
if(NOT TARGET levelc)
    return()
endif()

# Both levels share the legend in data/level, so either level depends on both folders' texts.
file(GLOB vb_level_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/level/*.txt
    ${CMAKE_SOURCE_DIR}/data/level2/*.txt)

# The pictures come from the art build (data/art.cmake lists the ones it makes); the compiler
# draws stand-ins for any that are missing.
set(VB_ART_DIR ${CMAKE_BINARY_DIR}/art)
get_property(vb_art_made GLOBAL PROPERTY VB_ART_LEVEL_FILES)
set(vb_level_art "")
foreach(pic tiles sprites bg0 bg1 bg2 bg3 bg4)
    if(${VB_ART_DIR}/${pic}.pcx IN_LIST vb_art_made OR EXISTS ${VB_ART_DIR}/${pic}.pcx)
        list(APPEND vb_level_art ${VB_ART_DIR}/${pic}.pcx)
    endif()
endforeach()

foreach(entry velba1:level velba2:level2)
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 folder)
    set(source ${CMAKE_SOURCE_DIR}/data/${folder}/${name}.txt)
    set(map ${VB_DATA_DIR}/maps/${name}.vb3)
    set(solutions ${CMAKE_BINARY_DIR}/levelcheck/${name}.solutions)
    set(par ${VB_DATA_DIR}/maps/${name}.par)
    add_custom_command(OUTPUT ${map}
        COMMAND levelc ${source} ${map} ${VB_ART_DIR}
        DEPENDS levelc ${vb_level_texts} ${vb_level_art}
        COMMENT "Compiling the level maps/${name}.vb3"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${map})
    if(NOT TARGET levelcheck OR NOT VB_TESTS)
        continue()
    endif()
    # A developer's build checks every room; the routes feed the replay test (tests/levels),
    # which finds them beside the data directory. The same run writes the level's par file
    # beside it (docs/TIMEATTACK.md): each room's fastest route and its route taking every item.
    add_custom_command(OUTPUT ${solutions} ${par}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/levelcheck
        COMMAND levelcheck ${map} ${solutions}.new --par ${par}
        COMMAND ${CMAKE_COMMAND} -E rename ${solutions}.new ${solutions}
        DEPENDS levelcheck ${map}
        COMMENT "Checking every room of maps/${name}.vb3"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${solutions} ${par})
    # Each route as a replay file, build/replays/NAME/roomNN.vbr, that the replay tool's test
    # verifies: a change that alters play shows as a desync at its frame.
    if(TARGET vbreplays)
        set(replays ${CMAKE_BINARY_DIR}/replays/${name})
        add_custom_command(OUTPUT ${replays}/written
            COMMAND ${CMAKE_COMMAND} -E make_directory ${replays}
            COMMAND vbreplays ${map} ${solutions} ${replays}
            COMMAND ${CMAKE_COMMAND} -E touch ${replays}/written
            DEPENDS vbreplays ${map} ${solutions}
            COMMENT "Writing the routes of maps/${name}.vb3 as replays"
            VERBATIM)
        set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${replays}/written)
    endif()
endforeach()
