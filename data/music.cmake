# The game's music: every data/music/<name>.txt score becomes resources/<name> (the title song
# keeps its exact spelling, Title.XM).
# SPDX-License-Identifier: MIT
file(GLOB music_scores CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/music/*.txt)
set(music_outputs "")
foreach(src ${music_scores})
    get_filename_component(name ${src} NAME)
    string(REGEX REPLACE "\\.txt$" "" name ${name})
    set(out ${VB_DATA_DIR}/resources/${name})
    add_custom_command(OUTPUT ${out}
        COMMAND $<TARGET_FILE:xmwrite> ${src} ${out}
        DEPENDS xmwrite ${src}
        COMMENT "Writing the module ${name}"
        VERBATIM)
    list(APPEND music_outputs ${out})
endforeach()
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${music_outputs})
