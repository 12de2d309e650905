# The photo view: Qt-free layout and lasso geometry in the core library, the
# widgets and cursors in the Qt library.
target_sources(quenda_imaging_core PRIVATE
  ViewLayout.cpp ViewLayout.h
  PolygonSelection.cpp PolygonSelection.h
  PolygonCopy.cpp PolygonCopy.h
)
target_sources(quenda_imaging PRIVATE
  TViewBase.cpp TViewBase.h
  TImageView.cpp TImageView.h
  ImageCursors.cpp ImageCursors.h
)
# The thumbnail grid: Qt-free geometry, thumbnail reading and the widget.
target_sources(quenda_imaging_core PRIVATE
  ThumbGridLayout.cpp ThumbGridLayout.h
  ThumbnailReader.cpp ThumbnailReader.h
)
target_sources(quenda_imaging PRIVATE TThumbGrid.cpp TThumbGrid.h)
