# Cutting a hair out of a picture and the catalogue picture made of it.
add_executable(test_imaging_haircutout ${CMAKE_CURRENT_LIST_DIR}/HairCutoutTest.cpp)
target_link_libraries(test_imaging_haircutout PRIVATE quenda_imaging_core GTest::gtest_main)
gtest_discover_tests(test_imaging_haircutout DISCOVERY_MODE PRE_TEST)
