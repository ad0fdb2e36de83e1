# font.cmake -- the 8x8 font: data/font/atari8x8.txt drawn as text, built by tools/content/fontc.
# SPDX-License-Identifier: MIT
set(vb_font_out ${VB_DATA_DIR}/resources/ATARI.8x8)
add_custom_command(OUTPUT ${vb_font_out}
    COMMAND fontc ${CMAKE_CURRENT_SOURCE_DIR}/font/atari8x8.txt ${vb_font_out}
    DEPENDS fontc ${CMAKE_CURRENT_SOURCE_DIR}/font/atari8x8.txt
    COMMENT "Building the font ATARI.8x8")
set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${vb_font_out})
