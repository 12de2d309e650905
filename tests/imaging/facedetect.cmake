# The face search, on the sample portraits and pictures made from them.
if(TARGET quenda_facedetect)
  add_executable(test_imaging_facedetect ${CMAKE_CURRENT_LIST_DIR}/FaceDetectorTest.cpp)
  target_compile_definitions(test_imaging_facedetect PRIVATE
    QUENDA_TEST_PHOTOS="${PROJECT_SOURCE_DIR}/salon/assets/photos")
  target_link_libraries(test_imaging_facedetect PRIVATE quenda_facedetect GTest::gtest_main)
  gtest_discover_tests(test_imaging_facedetect DISCOVERY_MODE PRE_TEST)
endif()
