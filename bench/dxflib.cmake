# dxflib beside the viewer's import, when the library is installed
# (libdxflib-dev); a benchmark only, never linked into the programs.
find_path(DXFLIB_INCLUDE_DIR dxflib/dl_dxf.h)
find_library(DXFLIB_LIBRARY dxflib)
if(DXFLIB_INCLUDE_DIR AND DXFLIB_LIBRARY)
  zov_bench(dxflib SOURCES ${CMAKE_CURRENT_LIST_DIR}/dxflib_bench.cpp
            DEPS zov_large_drawing ${DXFLIB_LIBRARY})
  target_include_directories(bench_dxflib PRIVATE ${DXFLIB_INCLUDE_DIR})
endif()
