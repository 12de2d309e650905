# The print paths in the program's own windows, over the sample salon.
if(NOT QUENDA_SANITIZE)
  add_executable(bench_printing ${CMAKE_CURRENT_LIST_DIR}/PrintBench.cpp)
  target_link_libraries(bench_printing PRIVATE quenda_app benchmark::benchmark)
  target_compile_definitions(bench_printing PRIVATE QUENDA_BENCH_SALON="${QUENDA_SALON_DIR}")
endif()
