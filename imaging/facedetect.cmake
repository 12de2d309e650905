# Face search on photographs. OpenCV stays inside this library: the rest of
# the program sees a face box and eye points in picture pixels.
find_package(OpenCV QUIET COMPONENTS core imgproc objdetect)
find_path(QUENDA_CASCADE_DIR haarcascade_frontalface_alt2.xml
  PATHS /usr/share/opencv4/haarcascades /usr/share/opencv/haarcascades
  NO_DEFAULT_PATH)
add_library(quenda_facedetect STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FaceDetector.cpp ${CMAKE_CURRENT_LIST_DIR}/FaceDetector.h)
target_include_directories(quenda_facedetect PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quenda_facedetect PUBLIC quenda_imaging_core)
if(OpenCV_FOUND)
  target_include_directories(quenda_facedetect SYSTEM PRIVATE ${OpenCV_INCLUDE_DIRS})
  target_link_libraries(quenda_facedetect PRIVATE opencv_core opencv_imgproc opencv_objdetect)
else()
  message(FATAL_ERROR "OpenCV (libopencv-dev) is needed for the face search")
endif()
if(QUENDA_CASCADE_DIR)
  target_compile_definitions(quenda_facedetect PRIVATE QUENDA_CASCADE_DIR="${QUENDA_CASCADE_DIR}")
endif()
