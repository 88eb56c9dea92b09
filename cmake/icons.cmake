# The program draws its icons from PNGs that a host tool (tools/icons) renders
# from the SVG sources at build time, at every side the windows draw an icon
# at and at twice that for high-density screens, so neither system needs Qt
# SVG at run time (the Windows Qt has none) and both show the same pixels.
#
#   velmora_icon_resource(TARGET SVG...)    the PNGs of each SVG, embedded in
#                                            TARGET as the resource "icons" under :/icons
#   velmora_program_icon(TARGET SVG RC)     Velmora.ico made from SVG, found by
#                                            the resource script RC on TARGET's include path

if(CMAKE_CROSSCOMPILING)
    # Built for the build machine with its own compiler and Qt SVG.
    include(ExternalProject)
    set(velmora_icon_render ${CMAKE_BINARY_DIR}/icon-render-host/velmora_icon_render)
    ExternalProject_Add(velmora_icon_render_host
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/icons
        BINARY_DIR ${CMAKE_BINARY_DIR}/icon-render-host
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=${VELMORA_WERROR}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${velmora_icon_render})
    set_property(GLOBAL PROPERTY VELMORA_ICON_RENDER ${velmora_icon_render})
    set_property(GLOBAL PROPERTY VELMORA_ICON_RENDER_DEPENDS velmora_icon_render_host ${velmora_icon_render})
else()
    find_package(Qt6 6.4 REQUIRED COMPONENTS Svg)
    qt_add_executable(velmora_icon_render ${CMAKE_SOURCE_DIR}/tools/icons/render_icons.cpp)
    # A build tool: without the sanitizers, whose leak report at its exit
    # would fail the build.
    target_link_libraries(velmora_icon_render PRIVATE Qt6::Gui Qt6::Svg velmora_warnings)
    set_property(GLOBAL PROPERTY VELMORA_ICON_RENDER $<TARGET_FILE:velmora_icon_render>)
    set_property(GLOBAL PROPERTY VELMORA_ICON_RENDER_DEPENDS velmora_icon_render)
endif()

function(velmora_icon_resource target)
    get_property(render GLOBAL PROPERTY VELMORA_ICON_RENDER)
    get_property(render_depends GLOBAL PROPERTY VELMORA_ICON_RENDER_DEPENDS)
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
endfunction()

function(velmora_program_icon target source rc)
    get_property(render GLOBAL PROPERTY VELMORA_ICON_RENDER)
    get_property(render_depends GLOBAL PROPERTY VELMORA_ICON_RENDER_DEPENDS)
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
