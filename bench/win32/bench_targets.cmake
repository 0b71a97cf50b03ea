# The Windows edition's benchmarks, run under Wine or on Windows by scripts/bench.sh. Included,
# not added as a folder, so that a build can take them in after its own lists (with-bench.cmake).
set(bench_dir ${CMAKE_CURRENT_LIST_DIR})
set(helper_process ${PROJECT_SOURCE_DIR}/tests/win32/helper_process.cpp)

# The synthetic desktop and the bare window program that the benchmarks measure against.
add_executable(synthetic_desktop ${bench_dir}/synthetic_desktop.cpp)
add_executable(bare_window WIN32 ${bench_dir}/bare_window.cpp)
add_executable(bare_controls_window WIN32 ${bench_dir}/bare_window.cpp
  ${bench_dir}/bare_controls_window.rc)
target_compile_definitions(bare_controls_window PRIVATE TARVEX_BENCH_COMMON_CONTROLS)
target_include_directories(bare_controls_window PRIVATE ${PROJECT_SOURCE_DIR}/win32/program)
target_link_libraries(bare_controls_window PRIVATE comctl32)
set_source_files_properties(${bench_dir}/bare_controls_window.rc PROPERTIES OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/win32/program/tarvex.manifest)

add_executable(refresh_bench ${bench_dir}/refresh_bench.cpp ${helper_process})
add_executable(start_bench ${bench_dir}/start_bench.cpp ${helper_process})

foreach(target synthetic_desktop bare_window bare_controls_window refresh_bench start_bench)
  tarvex_warnings(${target})
endforeach()
foreach(target refresh_bench start_bench)
  target_link_libraries(${target} PRIVATE tarvex_win32)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/win32)
  add_dependencies(${target} synthetic_desktop bare_window bare_controls_window)
endforeach()
