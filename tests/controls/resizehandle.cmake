# The resize handle: its geometry without a display, the widget under Qt Test.
add_executable(test_controls_resizegeometry ${CMAKE_CURRENT_LIST_DIR}/ResizeGeometryTest.cpp)
target_link_libraries(test_controls_resizegeometry PRIVATE quenda_controls_core GTest::gtest_main)
gtest_discover_tests(test_controls_resizegeometry DISCOVERY_MODE PRE_TEST)

add_executable(test_controls_resizehandle ${CMAKE_CURRENT_LIST_DIR}/TResizeHandleTest.cpp)
target_link_libraries(test_controls_resizehandle PRIVATE quenda_controls Qt6::Test)
add_test(NAME test_controls_resizehandle COMMAND test_controls_resizehandle)
set_tests_properties(test_controls_resizehandle PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
