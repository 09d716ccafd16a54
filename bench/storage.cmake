# Storage benchmarks: the project file, the file list rebuild, the media copy.
add_executable(kestrel_storage_bench ${CMAKE_CURRENT_LIST_DIR}/StorageBench.cpp)
target_include_directories(kestrel_storage_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(kestrel_storage_bench PRIVATE kestrel_core benchmark::benchmark)
