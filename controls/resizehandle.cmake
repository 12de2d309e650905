# The resize handle: its Qt-free geometry and the widget.
target_sources(quenda_controls_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ResizeGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/ResizeGeometry.cpp
)
target_sources(quenda_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EBadAttach.h
  ${CMAKE_CURRENT_LIST_DIR}/TResizeHandle.h
  ${CMAKE_CURRENT_LIST_DIR}/TResizeHandle.cpp
)
