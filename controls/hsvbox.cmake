# The HSV colour picker: its integer colour model and picture (Qt-free, also
# used by the engine's HSV shift) and the widget.
target_sources(quenda_controls_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HsvModel.cpp ${CMAKE_CURRENT_LIST_DIR}/HsvModel.h
  ${CMAKE_CURRENT_LIST_DIR}/HsvShift.cpp ${CMAKE_CURRENT_LIST_DIR}/HsvShift.h
  ${CMAKE_CURRENT_LIST_DIR}/ChannelShift.cpp ${CMAKE_CURRENT_LIST_DIR}/ChannelShift.h
  ${CMAKE_CURRENT_LIST_DIR}/HsvBoxModel.cpp ${CMAKE_CURRENT_LIST_DIR}/HsvBoxModel.h
)
target_sources(quenda_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/THSVBox.cpp ${CMAKE_CURRENT_LIST_DIR}/THSVBox.h
)
