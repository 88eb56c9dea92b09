# The README's pictures are taken by this program (tools/screenshots.sh).
qt_add_executable(velmora_screenshots EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/screenshots/main.cpp)
target_link_libraries(velmora_screenshots PRIVATE velmora_app Qt6::Test)
