# HEIF and WebP decoding, colour profiles converted to sRGB, and the
# formats' place in the dispatch, the content check and the open dialog.
pkg_check_modules(TEST_PHONE_LIBS REQUIRED IMPORTED_TARGET libheif libwebp libwebpmux libwebpdemux lcms2)
add_library(quenda_phone_test_pictures STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PhoneTestPictures.cpp ${CMAKE_CURRENT_LIST_DIR}/PhoneTestPictures.h
  ${CMAKE_CURRENT_LIST_DIR}/ColourReference.cpp ${CMAKE_CURRENT_LIST_DIR}/ColourReference.h
)
target_include_directories(quenda_phone_test_pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quenda_phone_test_pictures PUBLIC
  quenda_imaging_core PkgConfig::TEST_PHONE_LIBS JPEG::JPEG PNG::PNG TIFF::TIFF)

add_executable(test_imaging_phone
  ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.cpp ${CMAKE_CURRENT_LIST_DIR}/CodecTestPictures.h
  ${CMAKE_CURRENT_LIST_DIR}/ColourProfileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeifCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebpCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileFilesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PhoneFormatsTest.cpp
)
target_link_libraries(test_imaging_phone PRIVATE
  quenda_phone_test_pictures quenda_imaging Qt6::Core GTest::gtest_main)
gtest_discover_tests(test_imaging_phone DISCOVERY_MODE PRE_TEST)

# imageprobe's fixture writes a WebP among its pictures.
if(TARGET imageprobe_fixture)
  target_link_libraries(imageprobe_fixture PRIVATE quenda_phone_test_pictures)
endif()
