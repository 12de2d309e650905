# The hair generator of the sample salon, its checker and their tests.
add_library(hairgen_core STATIC
  hairgen/CatalogueManifest.cpp
  hairgen/DistanceField.cpp
  hairgen/FlowField.cpp
  hairgen/GifFile.cpp
  hairgen/HairMask.cpp
  hairgen/HairPictureCheck.cpp
  hairgen/HairRenderer.cpp
  hairgen/PaletteQuantizer.cpp
  hairgen/PlaneBlur.cpp
  hairgen/SalonAudit.cpp
)
target_include_directories(hairgen_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/hairgen)
target_link_libraries(hairgen_core PUBLIC GIF::GIF)
set_target_properties(hairgen_core PROPERTIES AUTOMOC OFF)

add_executable(hairgen hairgen/main.cpp hairgen/MaskLoader.cpp
  ${PROJECT_SOURCE_DIR}/composition/FacePlaces.cpp)
target_include_directories(hairgen PRIVATE ${PROJECT_SOURCE_DIR}/composition ${PROJECT_SOURCE_DIR}/imaging)
find_package(Threads REQUIRED)
target_link_libraries(hairgen PRIVATE hairgen_core quenda_lang_core Qt6::Gui Threads::Threads)
set_target_properties(hairgen PROPERTIES AUTOMOC OFF)

# Verifies a built salon folder; salon/salon.cmake runs it as a test.
add_executable(check_salon hairgen/CheckSalon.cpp)
target_link_libraries(check_salon PRIVATE hairgen_core)
set_target_properties(check_salon PROPERTIES AUTOMOC OFF)

if(QUENDA_BUILD_TESTS)
  add_executable(hairgen_tests
    hairgen/tests/CatalogueManifestTest.cpp
    hairgen/tests/HairMaskTest.cpp
    hairgen/tests/HairPictureCheckTest.cpp
    hairgen/tests/HairRendererTest.cpp
    hairgen/tests/PaletteQuantizerTest.cpp
    hairgen/tests/SalonAuditTest.cpp
  )
  target_link_libraries(hairgen_tests PRIVATE hairgen_core GTest::gtest_main)
  set_target_properties(hairgen_tests PROPERTIES AUTOMOC OFF)
  gtest_discover_tests(hairgen_tests DISCOVERY_MODE PRE_TEST)
endif()
