# Codec decoding against the bare libraries. Timings only mean something in
# an optimised build without sanitizers, so the sanitizer build leaves it out.
if(NOT QUENDA_SANITIZE)
  add_executable(bench_codecs ${CMAKE_CURRENT_LIST_DIR}/CodecBench.cpp)
  target_compile_options(bench_codecs PRIVATE -O2)
  target_link_libraries(bench_codecs PRIVATE
    quenda_imaging_core benchmark::benchmark JPEG::JPEG PNG::PNG GIF::GIF ZLIB::ZLIB)
endif()
