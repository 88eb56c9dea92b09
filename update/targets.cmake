# The updater stand-in, placed beside the configurator in the program folder
# (Ethernet_Update.exe on Windows). A program over the core library that shows
# its report in a window where there is a screen; its job check is a library
# of its own so the fuzz targets can reach it without the window.
add_library(ethernet_update_check STATIC
    ${CMAKE_CURRENT_LIST_DIR}/standin/UJob_Check.cpp ${CMAKE_CURRENT_LIST_DIR}/standin/UJob_Check.h
    ${CMAKE_CURRENT_LIST_DIR}/standin/UImage_Report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standin/UImage_Report.h)
target_link_libraries(ethernet_update_check PUBLIC velmora_core)

add_library(ethernet_update_window STATIC
    ${CMAKE_CURRENT_LIST_DIR}/standin/UReport_Window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standin/UReport_Window.h)
target_link_libraries(ethernet_update_window PUBLIC ethernet_update_check Qt6::Widgets)

# Started with its window shown, it must not open a console beside it on Windows.
add_executable(Ethernet_Update WIN32 ${CMAKE_CURRENT_LIST_DIR}/standin/main.cpp)
target_link_libraries(Ethernet_Update PRIVATE ethernet_update_window)
set_target_properties(Ethernet_Update PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_DIST_DIR})
install(TARGETS Ethernet_Update RUNTIME DESTINATION .)
