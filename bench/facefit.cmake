# The face search and the fit of a hair to it.
if(TARGET quenda_facedetect AND TARGET quenda_composition)
  add_executable(bench_facefit ${CMAKE_CURRENT_LIST_DIR}/FaceFitBench.cpp)
  target_compile_definitions(bench_facefit PRIVATE QUENDA_BENCH_PHOTOS="${PROJECT_SOURCE_DIR}/salon/assets/photos")
  target_link_libraries(bench_facefit PRIVATE quenda_composition quenda_facedetect benchmark::benchmark Qt6::Gui)
endif()
