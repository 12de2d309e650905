# The thumbnail view: its geometry and file lists without a display, the
# widgets under Qt Test.
add_executable(test_controls_thumbviewlayout ${CMAKE_CURRENT_LIST_DIR}/ThumbviewLayoutTest.cpp)
target_link_libraries(test_controls_thumbviewlayout PRIVATE quenda_controls_core GTest::gtest_main)
gtest_discover_tests(test_controls_thumbviewlayout DISCOVERY_MODE PRE_TEST)

add_executable(test_controls_thumbview ${CMAKE_CURRENT_LIST_DIR}/TThumbviewTest.cpp)
target_link_libraries(test_controls_thumbview PRIVATE quenda_controls Qt6::Test)
add_test(NAME test_controls_thumbview COMMAND test_controls_thumbview)
set_tests_properties(test_controls_thumbview PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
