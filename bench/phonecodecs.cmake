# HEIC and WebP decoding against libheif and libwebp, and the colour profile
# conversion. Pictures are encoded at start-up with the test pictures' helpers.
if(NOT QUENDA_SANITIZE)
  pkg_check_modules(BENCH_PHONE_LIBS REQUIRED IMPORTED_TARGET libheif libwebp libwebpmux libwebpdemux lcms2)
  add_executable(bench_phone_codecs ${CMAKE_CURRENT_LIST_DIR}/PhoneCodecBench.cpp
    ${PROJECT_SOURCE_DIR}/tests/imaging/PhoneTestPictures.cpp)
  target_compile_options(bench_phone_codecs PRIVATE -O2)
  target_include_directories(bench_phone_codecs PRIVATE ${PROJECT_SOURCE_DIR}/tests/imaging)
  target_link_libraries(bench_phone_codecs PRIVATE quenda_imaging_core benchmark::benchmark
    PkgConfig::BENCH_PHONE_LIBS JPEG::JPEG PNG::PNG TIFF::TIFF)
endif()
