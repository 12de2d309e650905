# Importing a picture as a catalogue hair.
if(TARGET quenda_composition)
  add_executable(bench_hairimport ${CMAKE_CURRENT_LIST_DIR}/HairImportBench.cpp)
  target_link_libraries(bench_hairimport PRIVATE quenda_composition benchmark::benchmark)
endif()
