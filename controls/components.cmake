# Components of the windows: menu entries, toolbar items, labels, pages and
# lists with the published properties the language file names.
target_sources(quenda_controls_core PRIVATE
  FormScale.cpp FormScale.h
  GradientStrips.cpp GradientStrips.h
  BusyCursor.h
)
target_sources(quenda_controls PRIVATE
  TMenuItem.cpp TMenuItem.h
  TToolItem.cpp TToolItem.h
  TLabel.cpp TLabel.h
  TBitBtn.cpp TBitBtn.h
  TTabSheet.cpp TTabSheet.h
  TComboBox.cpp TComboBox.h
  TImage.cpp TImage.h
  TFormScaler.cpp TFormScaler.h
  TGradientPanel.cpp TGradientPanel.h
  MessageBoxes.cpp MessageBoxes.h
)
# The thumbnail view: Qt-free geometry and file lists, and the widgets.
target_sources(quenda_controls_core PRIVATE
  ThumbviewLayout.cpp ThumbviewLayout.h
  ThumbviewFiles.cpp ThumbviewFiles.h
)
target_sources(quenda_controls PRIVATE
  TThumbview.cpp TThumbview.h
  TThumbNail.cpp TThumbNail.h
)
target_link_libraries(quenda_controls PUBLIC quenda_colour_core)
