# The engine's components for the windows: picture conversion at the Qt edge,
# the processing and file components, and the photo dialogs.
target_sources(quenda_imaging PRIVATE
  PictureImage.cpp PictureImage.h
  TImageProc.cpp TImageProc.h
  TImageIO.cpp TImageIO.h
  ImageDialogFilter.cpp ImageDialogFilter.h
  TOpenImageDialog.cpp TOpenImageDialog.h
  ImagePreviewLoader.cpp ImagePreviewLoader.h
  ExtensionIconProvider.cpp ExtensionIconProvider.h
)
# The processing component's channel and HSV shifts live with the HSV model.
target_link_libraries(quenda_imaging PUBLIC quenda_controls_core)
