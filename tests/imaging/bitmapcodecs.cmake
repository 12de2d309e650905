# Tests of the in-house codecs (BMP, PCX, ICO/CUR), format names and the
# content check.
add_executable(test_imaging_bitmapcodecs
  ${CMAKE_CURRENT_LIST_DIR}/BitmapTestBytes.h
  ${CMAKE_CURRENT_LIST_DIR}/BmpCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PcxCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IcoCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileFormatCheckTest.cpp
)
target_link_libraries(test_imaging_bitmapcodecs PRIVATE quenda_imaging_core GTest::gtest_main)
gtest_discover_tests(test_imaging_bitmapcodecs DISCOVERY_MODE PRE_TEST)
