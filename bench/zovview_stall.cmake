if(TARGET zovview_window)
  zov_bench(zovview_stall SOURCES ${CMAKE_CURRENT_LIST_DIR}/zovview_stall_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/widgets_bench_main.cpp
            DEPS zovview_window zov_fixtures zov_large_drawing)
endif()
