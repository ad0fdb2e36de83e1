# The game's pictures: every data/art/<name>.txt becomes resources/<name> in the data directory,
# and every data/art/level/<name>.txt becomes art/<name> in the build tree for the level compiler.
# SPDX-License-Identifier: MIT
set(art_src ${CMAKE_CURRENT_SOURCE_DIR}/art)
file(GLOB art_all CONFIGURE_DEPENDS ${art_src}/*.txt ${art_src}/*.pal ${art_src}/level/*.txt
    ${art_src}/level/*.pal)
file(GLOB art_pictures CONFIGURE_DEPENDS ${art_src}/*.txt)
file(GLOB art_level_pictures CONFIGURE_DEPENDS ${art_src}/level/*.txt)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/art)

set(art_outputs "")
set(art_level_outputs "")
foreach(src ${art_pictures} ${art_level_pictures})
    get_filename_component(name ${src} NAME)
    string(REGEX REPLACE "\\.txt$" "" name ${name})
    if(src IN_LIST art_level_pictures)
        set(out ${CMAKE_BINARY_DIR}/art/${name})
        list(APPEND art_level_outputs ${out})
    else()
        set(out ${VB_DATA_DIR}/resources/${name})
    endif()
    add_custom_command(OUTPUT ${out}
        COMMAND $<TARGET_FILE:pcxart> ${src} ${out}
        DEPENDS pcxart ${art_all}
        COMMENT "Drawing ${name}"
        VERBATIM)
    list(APPEND art_outputs ${out})
endforeach()

# The level compiler's custom command can depend on these (same directory scope).
set_property(GLOBAL APPEND PROPERTY VB_ART_LEVEL_FILES ${art_level_outputs})
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${art_outputs})
