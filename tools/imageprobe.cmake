# imageprobe: decodes files with the engine and prints format, size and a
# pixel checksum; for debugging, cross-checks and the fuzzers' findings.
add_executable(imageprobe
  ${CMAKE_CURRENT_LIST_DIR}/imageprobe/ImageProbe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/imageprobe/PictureChecksum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/imageprobe/PictureChecksum.h
)
target_include_directories(imageprobe PRIVATE ${CMAKE_CURRENT_LIST_DIR}/imageprobe)
target_link_libraries(imageprobe PRIVATE quenda_imaging_core ZLIB::ZLIB)
