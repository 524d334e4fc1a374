zov_bench(page_output SOURCES ${CMAKE_CURRENT_LIST_DIR}/page_output_bench.cpp
          DEPS zov_surfaces zov_fixtures)
