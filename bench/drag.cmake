# Mouse editing through the core: drawing, moving and resizing steps.
add_executable(drag_bench ${CMAKE_CURRENT_SOURCE_DIR}/DragBench.cpp)
target_link_libraries(drag_bench PRIVATE kestrel_core benchmark::benchmark)

# The same drags as move events through the real canvas, repaint included (offscreen).
if(TARGET kestrel_ui)
  add_executable(canvas_bench ${CMAKE_CURRENT_SOURCE_DIR}/CanvasBench.cpp)
  target_link_libraries(canvas_bench PRIVATE kestrel_ui benchmark::benchmark)
endif()
