zov_bench(symconv SOURCES ${CMAKE_CURRENT_LIST_DIR}/symconv_bench.cpp DEPS zov_symconv zov_fixtures)
