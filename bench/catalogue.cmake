# The hair catalogue's listing, thumbnail drawing and photo scan, and its
# memory while every page is browsed.
if(NOT QUENDA_SANITIZE)
  add_executable(bench_catalogue ${CMAKE_CURRENT_LIST_DIR}/CatalogueBench.cpp)
  target_compile_options(bench_catalogue PRIVATE -O2)
  target_link_libraries(bench_catalogue PRIVATE quenda_catalogue quenda_imaging benchmark::benchmark Qt6::Widgets)
endif()
