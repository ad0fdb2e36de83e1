# documents.cmake -- the documents installed with the game: the manual pages of docs/man
# (gzipped, into share/man/man6), and for share/doc/velumbrina the copyright file in Debian's
# machine-readable format, with the licence texts of LICENSE, and the changelog.
# SPDX-License-Identifier: MIT
set(VB_PACKAGE_CONTACT "the Velumbrina authors <velumbrina@example.org>" CACHE STRING
    "Who answers for the package: its maintainer, the copyright file's contact, the changelog's signature")
set(vb_docs ${CMAKE_BINARY_DIR}/documents)

# One of LICENSE's texts, from the line that starts with FIRST up to the line that starts with
# NEXT (or the end), as a copyright file's License paragraph: lines indented by one space, an
# empty line written " .".
function(vb_licence_paragraph licence first next out)
    string(FIND "${licence}" "\n${first}" from)
    if(from LESS 0)
        message(FATAL_ERROR "LICENSE: no line starts with '${first}'")
    endif()
    math(EXPR from "${from} + 1")
    string(SUBSTRING "${licence}" ${from} -1 text)
    if(next)
        string(FIND "${text}" "\n${next}" to)
        if(to LESS 0)
            message(FATAL_ERROR "LICENSE: no line starts with '${next}' after '${first}'")
        endif()
        string(SUBSTRING "${text}" 0 ${to} text)
    endif()
    string(STRIP "${text}" text)
    set(before "")
    while(NOT before STREQUAL text)
        set(before "${text}")
        string(REPLACE "\n\n" "\n.\n" text "${text}")
    endwhile()
    string(REPLACE "\n" "\n " text " ${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(READ ${CMAKE_SOURCE_DIR}/LICENSE vb_licence)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
vb_licence_paragraph("${vb_licence}" "Permission is hereby granted" "=====" VB_MIT_TEXT)
vb_licence_paragraph("${vb_licence}" "Attribution 4.0 International\n" "" VB_CC_BY_TEXT)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/copyright.in ${vb_docs}/copyright @ONLY)

# The changelog's newest entry is the version being built: a new version needs its entry.
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in vb_newest LIMIT_COUNT 1)
if(NOT vb_newest MATCHES "^velumbrina \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "cmake/debian/changelog.in: the newest entry is not version "
        "${PROJECT_VERSION}, the project's: write one for it")
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${vb_docs}/changelog @ONLY)

# Gzipped as Debian wants them (-n: no name or time stamp, the same bytes every build).
set(vb_gzipped "")
foreach(doc ${VB_MAN_PAGES} changelog)
    if(doc STREQUAL changelog)
        set(from ${vb_docs}/changelog)
    else()
        set(from ${CMAKE_SOURCE_DIR}/docs/man/${doc})
    endif()
    add_custom_command(OUTPUT ${vb_docs}/${doc}.gz
        COMMAND sh -c "gzip -9n -c \"$1\" >\"$2\"" sh ${from} ${vb_docs}/${doc}.gz
        DEPENDS ${from} VERBATIM)
    list(APPEND vb_gzipped ${vb_docs}/${doc}.gz)
endforeach()
add_custom_target(documents ALL DEPENDS ${vb_gzipped})

list(TRANSFORM VB_MAN_PAGES PREPEND ${vb_docs}/ OUTPUT_VARIABLE vb_pages)
list(TRANSFORM vb_pages APPEND .gz)
install(FILES ${vb_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${vb_docs}/copyright ${vb_docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
