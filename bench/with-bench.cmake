# Adds the benchmarks to a build of Tarvex once its top-level list has been read, so that they
# get the same targets, warnings and link options as the program:
#   cmake -S . -B <folder> -DCMAKE_PROJECT_Tarvex_INCLUDE=<checkout>/bench/with-bench.cmake ...
set(TARVEX_BENCH_LIST ${CMAKE_CURRENT_LIST_DIR}/CMakeLists.txt)
cmake_language(DEFER CALL include ${TARVEX_BENCH_LIST})
