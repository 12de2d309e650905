# The colour and line-width pickers: item geometry and colours without a
# display; the two lists under Qt Test with real clicks.
add_executable(test_controls_drawcombogeometry ${CMAKE_CURRENT_LIST_DIR}/DrawComboGeometryTest.cpp)
target_link_libraries(test_controls_drawcombogeometry PRIVATE quenda_controls_core GTest::gtest_main)
gtest_discover_tests(test_controls_drawcombogeometry DISCOVERY_MODE PRE_TEST)

add_executable(test_controls_drawcombo ${CMAKE_CURRENT_LIST_DIR}/DrawComboBoxTest.cpp)
target_link_libraries(test_controls_drawcombo PRIVATE quenda_controls Qt6::Test)
add_test(NAME test_controls_drawcombo COMMAND test_controls_drawcombo)
set_tests_properties(test_controls_drawcombo PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
