# The retouch editor on a 24-megapixel photo, through the real windows.
add_executable(bench_retouch RetouchBench.cpp)
target_link_libraries(bench_retouch PRIVATE quenda_app benchmark::benchmark)
