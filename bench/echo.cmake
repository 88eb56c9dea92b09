# Reachability test figures (run bench_echo; it needs the right to send ICMP).
add_executable(bench_echo ${CMAKE_CURRENT_LIST_DIR}/bench_echo.cpp)
target_link_libraries(bench_echo PRIVATE velmora_ui)
