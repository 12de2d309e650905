# The formats phones hand out (HEIF/HEIC on libheif, WebP on libwebp) and the
# conversion of embedded colour profiles to sRGB on Little CMS.
pkg_check_modules(LIBHEIF REQUIRED IMPORTED_TARGET GLOBAL libheif)
pkg_check_modules(LIBWEBP REQUIRED IMPORTED_TARGET GLOBAL libwebp libwebpdemux)
pkg_check_modules(LCMS2 REQUIRED IMPORTED_TARGET GLOBAL lcms2)
find_package(Threads REQUIRED)
target_sources(quenda_imaging_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourProfile.cpp ${CMAKE_CURRENT_LIST_DIR}/ColourProfile.h
  ${CMAKE_CURRENT_LIST_DIR}/HeifCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/HeifCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/WebpCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/WebpCodec.h
)
target_link_libraries(quenda_imaging_core
  PRIVATE PkgConfig::LIBHEIF PkgConfig::LIBWEBP PkgConfig::LCMS2 Threads::Threads
)
