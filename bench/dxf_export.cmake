zov_bench(dxf_export SOURCES ${CMAKE_CURRENT_LIST_DIR}/dxf_export_bench.cpp
          DEPS zov_dxf_export zov_fixtures zov_store)
