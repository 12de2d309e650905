# The HSV picker: the colour model, the engine's HSV shift and the picker's
# picture without a display; the widget under Qt Test.
add_executable(test_controls_hsvmodel
  ${CMAKE_CURRENT_LIST_DIR}/HsvModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HsvShiftTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HsvBoxModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelShiftTest.cpp
)
target_link_libraries(test_controls_hsvmodel PRIVATE quenda_controls_core GTest::gtest_main)
gtest_discover_tests(test_controls_hsvmodel DISCOVERY_MODE PRE_TEST)

add_executable(test_controls_hsvbox ${CMAKE_CURRENT_LIST_DIR}/THSVBoxTest.cpp)
target_link_libraries(test_controls_hsvbox PRIVATE quenda_controls Qt6::Test)
add_test(NAME test_controls_hsvbox COMMAND test_controls_hsvbox)
set_tests_properties(test_controls_hsvbox PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
