zov_bench(jww_read SOURCES ${CMAKE_CURRENT_LIST_DIR}/jww_read_bench.cpp DEPS zov_jw zov_fixtures)
