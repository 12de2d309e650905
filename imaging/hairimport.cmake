# Cutting a hair out of an ordinary picture and making it a catalogue picture.
target_sources(quenda_imaging_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HairCutout.cpp ${CMAKE_CURRENT_LIST_DIR}/HairCutout.h
  ${CMAKE_CURRENT_LIST_DIR}/HairCatalogueImage.cpp ${CMAKE_CURRENT_LIST_DIR}/HairCatalogueImage.h
)
