# The game's sound effects: every data/sound/<name>.txt recipe becomes resources/<name>.
# SPDX-License-Identifier: MIT
file(GLOB sound_recipes CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sound/*.txt)
set(sound_outputs "")
foreach(src ${sound_recipes})
    get_filename_component(name ${src} NAME)
    string(REGEX REPLACE "\\.txt$" "" name ${name})
    set(out ${VB_DATA_DIR}/resources/${name})
    add_custom_command(OUTPUT ${out}
        COMMAND $<TARGET_FILE:sfxsynth> ${src} ${out}
        DEPENDS sfxsynth ${src}
        COMMENT "Synthesising ${name}"
        VERBATIM)
    list(APPEND sound_outputs ${out})
endforeach()
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${sound_outputs})
