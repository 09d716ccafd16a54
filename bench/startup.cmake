# Start-up: process start to the main window's first paint and the peak memory by then,
# the editor (its whole main) against a bare QMainWindow, and that window with one line of
# text, taking turns, all offscreen.
# Run build/bin/kestrel_startup_bench.
if(TARGET kestrel_ui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(kestrel_startup_probe ${PROJECT_SOURCE_DIR}/src/app/main.cpp ${CMAKE_CURRENT_LIST_DIR}/StartupProbe.cpp)
  target_link_libraries(kestrel_startup_probe PRIVATE kestrel_ui)
  add_executable(kestrel_startup_probe_bare ${CMAKE_CURRENT_LIST_DIR}/BareMainWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/StartupProbe.cpp)
  target_link_libraries(kestrel_startup_probe_bare PRIVATE Qt6::Widgets)
  add_executable(kestrel_startup_probe_label ${CMAKE_CURRENT_LIST_DIR}/BareMainWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/StartupProbe.cpp)
  target_compile_definitions(kestrel_startup_probe_label PRIVATE ONE_LABEL)
  target_link_libraries(kestrel_startup_probe_label PRIVATE Qt6::Widgets)

  add_executable(kestrel_startup_bench ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
  target_link_libraries(kestrel_startup_bench PRIVATE benchmark::benchmark)
  target_compile_definitions(kestrel_startup_bench PRIVATE
    KESTREL_PROBE="$<TARGET_FILE:kestrel_startup_probe>"
    BARE_PROBE="$<TARGET_FILE:kestrel_startup_probe_bare>"
    LABEL_PROBE="$<TARGET_FILE:kestrel_startup_probe_label>")
  add_dependencies(kestrel_startup_bench kestrel_startup_probe kestrel_startup_probe_bare kestrel_startup_probe_label)
endif()
