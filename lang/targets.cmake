# The shipped language files and flag pictures go into the program folder's
# LANGUAGE, where the program looks for them. Each file is copied by its own
# rule, so a changed file is copied again on the next build.
file(GLOB VELMORA_LANGUAGE_FILES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/files/*.lng
    ${CMAKE_CURRENT_LIST_DIR}/files/*.bmp)

set(velmora_language_copies)
foreach(source IN LISTS VELMORA_LANGUAGE_FILES)
    get_filename_component(name ${source} NAME)
    set(copy ${VELMORA_DIST_DIR}/LANGUAGE/${name})
    add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_DIST_DIR}/LANGUAGE
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        DEPENDS ${source}
        COMMENT "Copying ${name} into the program folder"
        VERBATIM)
    list(APPEND velmora_language_copies ${copy})
endforeach()
add_custom_target(velmora_languages ALL DEPENDS ${velmora_language_copies})

install(FILES ${VELMORA_LANGUAGE_FILES} DESTINATION LANGUAGE)
