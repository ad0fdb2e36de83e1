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

# The pictures come from the art build (data/art.cmake) when it makes them; the compiler draws
# stand-ins for any that are missing.
set(VB_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(vb_level_art "")
foreach(pic tiles sprites bg0 bg1 bg2 bg3 bg4)
    get_source_file_property(vb_made ${VB_ART_DIR}/${pic}.pcx GENERATED)
    if(vb_made OR EXISTS ${VB_ART_DIR}/${pic}.pcx)
        list(APPEND vb_level_art ${VB_ART_DIR}/${pic}.pcx)
    endif()
endforeach()

# Until the map writer and the frame step are in, their placeholders cannot make or play a level.
set(vb_level_ready ON)
if(EXISTS ${CMAKE_SOURCE_DIR}/level/stubs.cpp)
    file(STRINGS ${CMAKE_SOURCE_DIR}/level/stubs.cpp vb_stub_writer REGEX "grabarMapa")
    if(vb_stub_writer)
        set(vb_level_ready OFF)
    endif()
endif()
set(vb_frame_step OFF)
file(GLOB vb_game_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/game/*.cpp)
list(REMOVE_ITEM vb_game_sources ${CMAKE_SOURCE_DIR}/game/stubs.cpp)
foreach(src ${vb_game_sources})
    file(STRINGS ${src} vb_found REGEX "^void PARTIDA_frame")
    if(vb_found)
        set(vb_frame_step ON)
    endif()
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/level/stubs.cpp ${CMAKE_SOURCE_DIR}/game/stubs.cpp)
if(NOT vb_level_ready)
    message(STATUS "Level: the map writer is still a placeholder; maps/velba1.vb3 is not built")
    return()
endif()

add_custom_command(OUTPUT ${VB_LEVEL_FILE}
    COMMAND levelc ${VB_LEVEL_SOURCE} ${VB_LEVEL_FILE} ${VB_ART_DIR}
    DEPENDS levelc ${vb_level_texts} ${vb_level_art}
    COMMENT "Compiling the level maps/velba1.vb3"
    VERBATIM)
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${VB_LEVEL_FILE})

if(NOT vb_frame_step)
    message(STATUS "Level: the frame step is still a placeholder; the level is not checked")
    return()
endif()

# Every build of the level proves every room can be finished; the solutions feed the replay test.
add_custom_command(OUTPUT ${VB_LEVEL_SOLUTIONS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/levelcheck
    COMMAND levelcheck ${VB_LEVEL_FILE} ${VB_LEVEL_SOLUTIONS}.new
    COMMAND ${CMAKE_COMMAND} -E rename ${VB_LEVEL_SOLUTIONS}.new ${VB_LEVEL_SOLUTIONS}
    DEPENDS levelcheck ${VB_LEVEL_FILE}
    COMMENT "Checking that every room of the level can be finished"
    VERBATIM)
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${VB_LEVEL_SOLUTIONS})
