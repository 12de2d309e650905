# The colour panel's whole path (slider event to repainted view), the preset
# colours and Flip, offscreen.
add_executable(bench_colourpanel ColourPanelBench.cpp)
target_link_libraries(bench_colourpanel PRIVATE quenda_colour_panel quenda_composition benchmark::benchmark Qt6::Widgets)
