# The photo view: its Qt-free layout and lasso geometry under GoogleTest, the
# widget itself under Qt Test, and a small program to look at it.
add_executable(test_imaging_viewlayout
  ${CMAKE_CURRENT_LIST_DIR}/ViewLayoutTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolygonSelectionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolygonCopyTest.cpp
)
target_link_libraries(test_imaging_viewlayout PRIVATE quenda_imaging_core GTest::gtest_main)
gtest_discover_tests(test_imaging_viewlayout DISCOVERY_MODE PRE_TEST)

add_executable(test_imaging_photoview ${CMAKE_CURRENT_LIST_DIR}/TImageViewTest.cpp)
target_link_libraries(test_imaging_photoview PRIVATE quenda_imaging Qt6::Test)
add_test(NAME test_imaging_photoview COMMAND test_imaging_photoview)
set_tests_properties(test_imaging_photoview PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# Not a test: run by hand, optionally saving a screenshot.
add_executable(imaging_photoview_demo ${CMAKE_CURRENT_LIST_DIR}/PhotoViewDemo.cpp)
target_link_libraries(imaging_photoview_demo PRIVATE quenda_imaging)

# The thumbnail grid: geometry, keyboard table and thumbnail reading without a
# display, the widget under Qt Test.
add_executable(test_imaging_thumbgridlayout ${CMAKE_CURRENT_LIST_DIR}/ThumbGridLayoutTest.cpp)
target_link_libraries(test_imaging_thumbgridlayout PRIVATE quenda_imaging_core GTest::gtest_main)
gtest_discover_tests(test_imaging_thumbgridlayout DISCOVERY_MODE PRE_TEST)

add_executable(test_imaging_thumbgrid ${CMAKE_CURRENT_LIST_DIR}/TThumbGridTest.cpp)
target_link_libraries(test_imaging_thumbgrid PRIVATE quenda_imaging Qt6::Test)
add_test(NAME test_imaging_thumbgrid COMMAND test_imaging_thumbgrid)
set_tests_properties(test_imaging_thumbgrid PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
