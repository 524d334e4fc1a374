zov_bench(render SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp DEPS zov_surfaces zov_fixtures)
