# The copies against cp (warm and cold page cache), the file list rebuild and the
# failure listing. Run build/bin/kestrel_copy_bench (as root for the cold cache).
add_executable(kestrel_copy_bench ${CMAKE_CURRENT_LIST_DIR}/CopyBench.cpp)
target_link_libraries(kestrel_copy_bench PRIVATE kestrel_core benchmark::benchmark)

# Closing a dialog with the largest project and its media in place (offscreen).
if(TARGET kestrel_ui)
  add_executable(kestrel_activation_bench ${CMAKE_CURRENT_LIST_DIR}/ActivationBench.cpp)
  target_include_directories(kestrel_activation_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(kestrel_activation_bench PRIVATE kestrel_ui benchmark::benchmark)
endif()
