# Version check and start-up figures (run bench_version_check and bench_startup).
add_executable(bench_version_check ${CMAKE_CURRENT_LIST_DIR}/bench_version_check.cpp)
target_link_libraries(bench_version_check PRIVATE velmora_ui)

add_executable(bench_minimal_dialog ${CMAKE_CURRENT_LIST_DIR}/bench_minimal_dialog.cpp)
target_link_libraries(bench_minimal_dialog PRIVATE Qt6::Widgets)

# Loaded by both measured programs through QT_QPA_GENERIC_PLUGINS.
add_library(bench_shown_probe MODULE ${CMAKE_CURRENT_LIST_DIR}/bench_shown_probe.cpp)
target_link_libraries(bench_shown_probe PRIVATE Qt6::Gui)
set_target_properties(bench_shown_probe PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plugins/generic
    AUTOMOC_MOC_OPTIONS "-I${CMAKE_CURRENT_LIST_DIR}")

add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE Qt6::Core)
target_compile_definitions(bench_startup PRIVATE
    VELMORA_DIST_DIR="${VELMORA_DIST_DIR}"
    MINIMAL_PROGRAM="$<TARGET_FILE:bench_minimal_dialog>"
    PROBE_PLUGIN_PATH="${CMAKE_CURRENT_BINARY_DIR}/plugins")
add_dependencies(bench_startup Velmora bench_minimal_dialog bench_shown_probe)
