zov_bench(jw_import SOURCES ${CMAKE_CURRENT_LIST_DIR}/jw_import_bench.cpp DEPS zov_jw zov_fixtures)
