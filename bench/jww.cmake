zov_bench(jww SOURCES ${CMAKE_CURRENT_LIST_DIR}/jww_bench.cpp DEPS zov_jw zov_store zov_fixtures)
