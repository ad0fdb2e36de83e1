# The desktop's icons: resources/icon.pcx (drawn from data/art/icon.pcx.txt) as PNG files in the
# icon theme's sizes, in build/icons/<size>x<size>/apps/velumbrina.png, which the install copies.
# SPDX-License-Identifier: MIT
foreach(size ${VB_ICON_SIZES})
    set(out ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/velumbrina.png)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps
        COMMAND $<TARGET_FILE:pngicon> ${VB_DATA_DIR}/resources/icon.pcx ${size} ${out}
        DEPENDS pngicon ${VB_DATA_DIR}/resources/icon.pcx
        COMMENT "Icon ${size}x${size}"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY VB_DATA_FILES ${out})
endforeach()
