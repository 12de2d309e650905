# Codecs on the system libraries (JPEG, PNG, GIF, TIFF), the GIF colour
# quantiser and the by-extension reading and writing of files.
target_sources(quenda_imaging_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ImageFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegularFile.cpp ${CMAKE_CURRENT_LIST_DIR}/RegularFile.h
  ${CMAKE_CURRENT_LIST_DIR}/JpegCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/JpegCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/PngCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/PngCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/GifCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/GifCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/ColourQuantiser.cpp ${CMAKE_CURRENT_LIST_DIR}/ColourQuantiser.h
  ${CMAKE_CURRENT_LIST_DIR}/TiffCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/TiffCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/TiffHandlerGuard.cpp ${CMAKE_CURRENT_LIST_DIR}/TiffHandlerGuard.h
)
# TiffHandlerGuard.h includes tiffio.h, so libtiff's headers are public.
target_link_libraries(quenda_imaging_core
  PUBLIC TIFF::TIFF
  PRIVATE JPEG::JPEG PNG::PNG ZLIB::ZLIB GIF::GIF
)
