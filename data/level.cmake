# level.cmake -- the level: data/level/*.txt compiled into maps/velba1.vb3 by the level compiler
# (with the game's own map writer), then played room by room by the level checker, which writes
# the key sequences it found and fails the build unless every room can be finished.
if(NOT TARGET levelc OR NOT TARGET levelcheck)
    return()
endif()

set(VB_LEVEL_SOURCE ${CMAKE_SOURCE_DIR}/data/level/velba1.txt)
file(GLOB vb_level_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/level/*.txt)
set(VB_LEVEL_FILE ${VB_DATA_DIR}/maps/velba1.vb3)
set(VB_LEVEL_SOLUTIONS ${CMAKE_BINARY_DIR}/levelcheck/velba1.solutions)

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

add_custom_command(OUTPUT ${VB_LEVEL_FILE}
    COMMAND levelc ${VB_LEVEL_SOURCE} ${VB_LEVEL_FILE} ${VB_ART_DIR}
    DEPENDS levelc ${vb_level_texts} ${vb_level_art}
    COMMENT "Compiling the level maps/velba1.vb3"
    VERBATIM)

# Every build of the level proves every room can be finished; the solutions feed the replay test
# (tests/levels), which finds them beside the data directory.
add_custom_command(OUTPUT ${VB_LEVEL_SOLUTIONS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/levelcheck
    COMMAND levelcheck ${VB_LEVEL_FILE} ${VB_LEVEL_SOLUTIONS}.new
    COMMAND ${CMAKE_COMMAND} -E rename ${VB_LEVEL_SOLUTIONS}.new ${VB_LEVEL_SOLUTIONS}
    DEPENDS levelcheck ${VB_LEVEL_FILE}
    COMMENT "Checking that every room of the level can be finished"
    VERBATIM)
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${VB_LEVEL_FILE} ${VB_LEVEL_SOLUTIONS})

# The level compiler refuses faulty sources, exiting with failure and a message naming the fault.
set(vb_levelc_faults
    "uneven_path|not a whole number of 5-pixel steps"
    "moving_slot_24|platform slot 24 never moves"
    "two_levers|exactly one lever"
    "missing_room|room 1 is missing"
    "unknown_cell|map character 'x' has no tile entry"
    "too_many_energy_items|more than 25 energy items"
    "solid_start|the start cell is solid"
    "short_map_row|rows are 15 wide"
    "bad_kind|kind: 23 is outside 3..12")
foreach(fault ${vb_levelc_faults})
    string(REPLACE "|" ";" parts "${fault}")
    list(GET parts 0 name)
    list(GET parts 1 message)
    add_test(NAME levelc_refuses_${name}
        COMMAND sh -c "\"$0\" \"$1\" \"$3.vb3\" 2>\"$3.txt\" && exit 1; grep -qF \"$2\" \"$3.txt\""
            $<TARGET_FILE:levelc> ${CMAKE_SOURCE_DIR}/tests/levels/sources/${name}.txt ${message}
            refused_${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(levelc_refuses_${name} PROPERTIES LABELS unit)
endforeach()

# The shipped source compiles to the same bytes every time, and to the shipped file.
add_test(NAME levelc_compiles_the_same_bytes_twice
    COMMAND sh -c "mkdir -p a/maps b/maps && \"$0\" \"$1\" a/maps/velba1.vb3 \"$2\" && \"$0\" \"$1\" b/maps/velba1.vb3 \"$2\" && cmp a/maps/velba1.vb3 b/maps/velba1.vb3 && cmp a/maps/velba1.vb3 \"$3\""
        $<TARGET_FILE:levelc> ${VB_LEVEL_SOURCE} ${VB_ART_DIR} ${VB_LEVEL_FILE}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(levelc_compiles_the_same_bytes_twice PROPERTIES LABELS unit)

# The checker fails a level with a room that cannot be finished, and says which room.
add_test(NAME levelcheck_fails_a_room_that_cannot_be_finished
    COMMAND sh -c "mkdir -p unreachable/maps && \"$0\" \"$2\" unreachable/maps/velba1.vb3 && \"$1\" unreachable/maps/velba1.vb3 >unreachable/report.txt && exit 1; grep -qx 'room 0: NOT completable' unreachable/report.txt && grep -q '^room 1: completable in' unreachable/report.txt && grep -qx '24/25 rooms completable' unreachable/report.txt"
        $<TARGET_FILE:levelc> $<TARGET_FILE:levelcheck>
        ${CMAKE_SOURCE_DIR}/tests/levels/sources/unreachable_lever.txt
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(levelcheck_fails_a_room_that_cannot_be_finished PROPERTIES LABELS unit)
