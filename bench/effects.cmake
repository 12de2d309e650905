# The colour panel's hot loops on a 24-megapixel picture, each beside memcpy
# of the same bytes and, where OpenCV is present, beside cv::LUT and cv::flip.
add_executable(bench_effects EffectsBench.cpp)
target_link_libraries(bench_effects PRIVATE quenda_colour_core benchmark::benchmark)
if(OpenCV_FOUND)
  target_compile_definitions(bench_effects PRIVATE QUENDA_BENCH_OPENCV=1)
  target_include_directories(bench_effects PRIVATE ${OpenCV_INCLUDE_DIRS})
  target_link_libraries(bench_effects PRIVATE ${OpenCV_LIBS})
endif()
