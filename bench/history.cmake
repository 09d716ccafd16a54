# The edit history on the largest project: recording, undo and redo, and its memory.
add_executable(history_bench ${CMAKE_CURRENT_SOURCE_DIR}/HistoryBench.cpp)
target_link_libraries(history_bench PRIVATE kestrel_core benchmark::benchmark)
