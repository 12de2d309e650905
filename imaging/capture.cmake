# Capture from scanners and cameras through SANE, and the save dialog.
# Without SANE the capture classes still build and report that capture is
# unavailable.
find_package(Threads REQUIRED)
target_sources(quenda_imaging_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SaneFrameAssembler.cpp ${CMAKE_CURRENT_LIST_DIR}/SaneFrameAssembler.h
  ${CMAKE_CURRENT_LIST_DIR}/SaneDevice.cpp ${CMAKE_CURRENT_LIST_DIR}/SaneDevice.h
)
if(TARGET PkgConfig::SANE)
  target_link_libraries(quenda_imaging_core PRIVATE PkgConfig::SANE)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/SaneDevice.cpp
    PROPERTIES COMPILE_DEFINITIONS QUENDA_HAVE_SANE=1)
endif()
target_link_libraries(quenda_imaging_core PUBLIC Threads::Threads)
target_sources(quenda_imaging PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TwainSource.cpp ${CMAKE_CURRENT_LIST_DIR}/TwainSource.h
  ${CMAKE_CURRENT_LIST_DIR}/TSaveImageDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/TSaveImageDialog.h
)
