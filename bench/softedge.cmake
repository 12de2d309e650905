# Soft hair edges, the smooth fixing of a resize and the full-resolution picture.
if(TARGET quenda_composition)
  add_executable(bench_softedge ${CMAKE_CURRENT_LIST_DIR}/SoftEdgeBench.cpp)
  target_link_libraries(bench_softedge PRIVATE quenda_composition benchmark::benchmark Qt6::Widgets)
endif()
