# Tests of the codecs on the system libraries, the quantiser and the
# by-extension reading and writing of files.
add_executable(test_imaging_codecs
  ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.cpp ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.h
  ${CMAKE_CURRENT_LIST_DIR}/JpegCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GifCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TiffCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColourQuantiserTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MalformedInputTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegularFileTest.cpp
)
target_link_libraries(test_imaging_codecs PRIVATE
  quenda_imaging_core JPEG::JPEG PNG::PNG ZLIB::ZLIB GIF::GIF TIFF::TIFF GTest::gtest_main)
gtest_discover_tests(test_imaging_codecs DISCOVERY_MODE PRE_TEST)

# imageprobe, run as a user would: a helper writes pictures of known content
# and the expected lines, the script compares and checks the exit status.
if(TARGET imageprobe)
  add_executable(imageprobe_fixture
    ${CMAKE_CURRENT_LIST_DIR}/ImageProbeFixture.cpp
    ${PROJECT_SOURCE_DIR}/tools/imageprobe/PictureChecksum.cpp
  )
  target_include_directories(imageprobe_fixture PRIVATE ${PROJECT_SOURCE_DIR}/tools/imageprobe)
  target_link_libraries(imageprobe_fixture PRIVATE quenda_imaging_core ZLIB::ZLIB)
  add_test(NAME imageprobe_output
    COMMAND ${CMAKE_COMMAND}
      -DPROBE=$<TARGET_FILE:imageprobe>
      -DFIXTURE=$<TARGET_FILE:imageprobe_fixture>
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/imageprobe-work
      -P ${CMAKE_CURRENT_LIST_DIR}/ImageProbeTest.cmake)
endif()

# Largest memory request of a decode, measured in a helper process that runs
# under an address-space limit.
add_executable(decode_memory_probe ${CMAKE_CURRENT_LIST_DIR}/DecodeMemoryProbe.cpp)
target_link_libraries(decode_memory_probe PRIVATE quenda_imaging_core)
add_executable(test_decode_memory
  ${CMAKE_CURRENT_LIST_DIR}/DecodeMemoryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.cpp ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.h)
target_compile_definitions(test_decode_memory PRIVATE
  QUENDA_DECODE_MEMORY_PROBE="$<TARGET_FILE:decode_memory_probe>")
target_link_libraries(test_decode_memory PRIVATE quenda_imaging_core GTest::gtest_main)
add_dependencies(test_decode_memory decode_memory_probe)
gtest_discover_tests(test_decode_memory DISCOVERY_MODE PRE_TEST)
