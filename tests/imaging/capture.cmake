# Capture through SANE's own "test" backend (enabled by the tests through a
# private configuration folder), the capture component and the save dialog.
add_executable(test_imaging_sane
  ${CMAKE_CURRENT_LIST_DIR}/SaneFrameAssemblerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaneDeviceTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaneTestBackend.h
)
target_link_libraries(test_imaging_sane PRIVATE quenda_imaging_core GTest::gtest_main)
# Ending a scan early (a cancel, a read error) makes SANE's test backend kill its reader thread
# asynchronously; now and then that happens while the reader holds a lock
# of the C library's allocator, and the whole process then hangs. The cancel
# cases stay in the sources and can be run by hand
# (test_imaging_sane --gtest_filter="*Cancel*:*ReadErrors*"); the automatic runs leave
# them out.
gtest_discover_tests(test_imaging_sane DISCOVERY_MODE PRE_TEST TEST_FILTER "-*Cancel*:*ReadErrors*")

add_executable(test_imaging_twainsource
  ${CMAKE_CURRENT_LIST_DIR}/TwainSourceTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogDriver.h ${CMAKE_CURRENT_LIST_DIR}/SaneTestBackend.h
)
target_link_libraries(test_imaging_twainsource PRIVATE quenda_imaging Qt6::Test)
# The same hazard for the capture component's cancel cases
# (cancelFromTheEventLoopFailsTheCaptureAndKeepsThePicture,
# progressDialogShowsAndItsCancelButtonStops): run by hand.
add_test(NAME test_imaging_twainsource COMMAND test_imaging_twainsource
  selectRunnerSeesTheDevicesAndTheChoiceIsUsed firstDeviceIsUsedWhenNoneWasChosen
  deviceListDialogChoosesAndCancels acquireRunsOnAWorkerWhileEventsFlow
  secondAcquireWhileBusyIsRefused unknownDeviceFailsWithAMessage)
set_tests_properties(test_imaging_twainsource PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

add_executable(test_imaging_savedialog
  ${CMAKE_CURRENT_LIST_DIR}/TSaveImageDialogTest.cpp ${CMAKE_CURRENT_LIST_DIR}/DialogDriver.h
)
target_link_libraries(test_imaging_savedialog PRIVATE quenda_imaging Qt6::Test)
add_test(NAME test_imaging_savedialog COMMAND test_imaging_savedialog)
set_tests_properties(test_imaging_savedialog PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# Not a test: run by hand to look at the dialogs (saves pictures of them).
add_executable(test_imaging_capture_demo
  ${CMAKE_CURRENT_LIST_DIR}/CaptureDialogsDemo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogDriver.h ${CMAKE_CURRENT_LIST_DIR}/SaneTestBackend.h
)
target_link_libraries(test_imaging_capture_demo PRIVATE quenda_imaging)

# The open dialog's preview, with names that point at FIFOs, devices and /proc.
add_executable(test_imaging_opendialog
  ${CMAKE_CURRENT_LIST_DIR}/TOpenImageDialogTest.cpp ${CMAKE_CURRENT_LIST_DIR}/DialogDriver.h
)
target_link_libraries(test_imaging_opendialog PRIVATE quenda_imaging Qt6::Test)
add_test(NAME test_imaging_opendialog COMMAND test_imaging_opendialog)
set_tests_properties(test_imaging_opendialog PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
