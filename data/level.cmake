# level.cmake -- the level: data/level/*.txt compiled into maps/velba1.vb3 by the level compiler
# (with the game's own map writer), then, in a developer's build, played room by room by the level
# checker, which writes the key sequences it found and fails the build unless every room can be
# finished.
if(NOT TARGET levelc)
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

set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${VB_LEVEL_FILE})

# A developer's build proves every room can be finished; the solutions feed the replay test
# (tests/levels), which finds them beside the data directory.
if(NOT TARGET levelcheck OR NOT VB_TESTS)
    return()
endif()
add_custom_command(OUTPUT ${VB_LEVEL_SOLUTIONS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/levelcheck
    COMMAND levelcheck ${VB_LEVEL_FILE} ${VB_LEVEL_SOLUTIONS}.new
    COMMAND ${CMAKE_COMMAND} -E rename ${VB_LEVEL_SOLUTIONS}.new ${VB_LEVEL_SOLUTIONS}
    DEPENDS levelcheck ${VB_LEVEL_FILE}
    COMMENT "Checking that every room of the level can be finished"
    VERBATIM)
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${VB_LEVEL_SOLUTIONS})
