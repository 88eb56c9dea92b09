# Configuration image figures (run bench_image).
add_executable(bench_image ${CMAKE_CURRENT_LIST_DIR}/bench_image.cpp)
target_link_libraries(bench_image PRIVATE velmora_core)
