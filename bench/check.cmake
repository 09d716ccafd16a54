# The check and the render of the largest project, with its media in a real folder.
if(TARGET kestrel_render)
  add_executable(check_bench ${CMAKE_CURRENT_LIST_DIR}/CheckBench.cpp)
  target_include_directories(check_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(check_bench PRIVATE kestrel_render benchmark::benchmark)
endif()
