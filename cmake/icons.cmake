# The program draws its icons from PNGs that a host tool (tools/icons) renders
# from the SVG sources at build time, at every side the windows draw an icon
# at and at twice that for high-density screens, so neither system needs Qt
# SVG at run time (the Windows Qt has none) and both show the same pixels.
#
#   velmora_icon_resource(TARGET SVG...)    the PNGs of each SVG, embedded in
#                                            TARGET as the resource "icons" under :/icons
#   velmora_program_icon(TARGET SVG RC)     Velmora.ico made from SVG, found by
#                                            the resource script RC on TARGET's include path

include(${CMAKE_CURRENT_LIST_DIR}/host_tool.cmake)
velmora_host_tool(velmora_icon_render ${CMAKE_SOURCE_DIR}/tools/icons)

function(velmora_icon_resource target)
    get_property(render GLOBAL PROPERTY velmora_icon_render_COMMAND)
    get_property(render_depends GLOBAL PROPERTY velmora_icon_render_DEPENDS)
    # The sides: 11 the collapse buttons, 22 and 24 captioned buttons 28 and
    # 30-36 high, 44 the icon-only buttons of the main window, 81 the About logo.
    set(sides 11 22 24 44 81)
    set(folder ${CMAKE_BINARY_DIR}/icons)
    set(pngs)
    foreach(source IN LISTS ARGN)
        get_filename_component(name ${source} NAME_WE)
        foreach(side IN LISTS sides)
            list(APPEND pngs ${folder}/${name}-${side}.png ${folder}/${name}-${side}@2x.png)
        endforeach()
    endforeach()
    list(JOIN sides "," side_list)
    add_custom_command(OUTPUT ${pngs}
        COMMAND ${render} png ${folder} ${side_list} ${ARGN}
        DEPENDS ${render_depends} ${ARGN}
        COMMENT "Rendering the icons to PNG"
        VERBATIM)
    qt_add_resources(${target} icons PREFIX /icons BASE ${folder} FILES ${pngs}
                     OUTPUT_TARGETS resource_targets)
    # The resource's own object library (made for a static library) is
    # compiled like the rest.
    foreach(resource_target IN LISTS resource_targets)
        target_link_libraries(${resource_target} PRIVATE velmora_warnings velmora_sanitize)
    endforeach()
    # The program knows the pictures by these sides, without listing the resource.
    target_compile_definitions(${target} PRIVATE VELMORA_ICON_SIDES=${side_list})
endfunction()

function(velmora_program_icon target source rc)
    get_property(render GLOBAL PROPERTY velmora_icon_render_COMMAND)
    get_property(render_depends GLOBAL PROPERTY velmora_icon_render_DEPENDS)
    set(folder ${CMAKE_BINARY_DIR}/icons)
    set(ico ${folder}/Velmora.ico)
    add_custom_command(OUTPUT ${ico}
        COMMAND ${render} ico ${ico} ${source}
        DEPENDS ${render_depends} ${source}
        COMMENT "Making the program icon"
        VERBATIM)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
    target_include_directories(${target} PRIVATE ${folder})
endfunction()
