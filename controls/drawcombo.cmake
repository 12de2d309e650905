# The colour and line-width pickers of the retouch editor: where their items
# are drawn (Qt-free) and the two owner-drawn lists.
target_sources(quenda_controls_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BasicColours.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicColours.h
  ${CMAKE_CURRENT_LIST_DIR}/DrawComboGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/DrawComboGeometry.h
)
target_sources(quenda_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TColorComboBoxEx.cpp ${CMAKE_CURRENT_LIST_DIR}/TColorComboBoxEx.h
  ${CMAKE_CURRENT_LIST_DIR}/TLineWidthComboBox.cpp ${CMAKE_CURRENT_LIST_DIR}/TLineWidthComboBox.h
  ${CMAKE_CURRENT_LIST_DIR}/OwnerDrawnItemDelegate.h
)
# Plain parts of the editor's tool bar.
target_sources(quenda_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TShape.cpp ${CMAKE_CURRENT_LIST_DIR}/TShape.h
  ${CMAKE_CURRENT_LIST_DIR}/TSpeedButton.cpp ${CMAKE_CURRENT_LIST_DIR}/TSpeedButton.h
)
