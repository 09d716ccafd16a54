# Mouse editing through the core: drawing, moving and resizing steps.
add_executable(drag_bench ${CMAKE_CURRENT_SOURCE_DIR}/DragBench.cpp)
target_link_libraries(drag_bench PRIVATE kestrel_core benchmark::benchmark)
