zov_bench(dxf_import SOURCES ${CMAKE_CURRENT_LIST_DIR}/dxf_import_bench.cpp
          DEPS zov_dxf_import zov_store zov_large_drawing)
