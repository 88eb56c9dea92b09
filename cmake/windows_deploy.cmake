# What windeployqt would put beside Velmora.exe, for builds where it cannot
# run (a cross-build): the Qt libraries the programs link, the plugins Qt
# loads from the program folder (platform, style, image formats, TLS
# backends of Qt Network) and the MinGW runtime libraries.
set(velmora_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network Qt6::Xml)
foreach(library IN LISTS velmora_qt_libraries)
    install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()

set(velmora_qt_plugins
    platforms QWindowsIntegrationPlugin
    styles QWindowsVistaStylePlugin
    imageformats QICOPlugin
    imageformats QGifPlugin
    tls QSchannelBackendPlugin
    tls QTlsBackendCertOnlyPlugin)
while(velmora_qt_plugins)
    list(POP_FRONT velmora_qt_plugins folder plugin)
    if(TARGET Qt6::${plugin})
        install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION ${folder})
    endif()
endwhile()

if(MINGW)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(path ${path} REALPATH)
        if(NOT EXISTS ${path})
            message(FATAL_ERROR "The MinGW runtime library ${runtime} is not where the compiler says: ${path}")
        endif()
        install(FILES ${path} DESTINATION .)
    endforeach()
endif()
