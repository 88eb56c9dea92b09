# The updater stand-in, placed beside the configurator in the program folder
# (Ethernet_Update.exe on Windows). A console program over the core library.
add_executable(Ethernet_Update
    ${CMAKE_CURRENT_LIST_DIR}/standin/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standin/UJob_Check.cpp ${CMAKE_CURRENT_LIST_DIR}/standin/UJob_Check.h
    ${CMAKE_CURRENT_LIST_DIR}/standin/UImage_Report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standin/UImage_Report.h)
target_link_libraries(Ethernet_Update PRIVATE velmora_core)
set_target_properties(Ethernet_Update PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_DIST_DIR})
install(TARGETS Ethernet_Update RUNTIME DESTINATION .)
