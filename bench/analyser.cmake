# The analyser's conversion and rebuild of large generated DXF files.
zov_bench(analyser SOURCES ${CMAKE_CURRENT_LIST_DIR}/analyser_bench.cpp
          DEPS zov_analyser zov_fixtures)
