zov_bench(store SOURCES ${CMAKE_CURRENT_LIST_DIR}/store_bench.cpp DEPS zov_store zov_fixtures)
