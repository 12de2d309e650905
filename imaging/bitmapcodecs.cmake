# Codecs written in-house (BMP, PCX, ICO/CUR), format names and the content check.
target_sources(quenda_imaging_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ImageFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PcxCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IcoCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileFormatCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/FileFormatCheck.h
)
