if(TARGET zovview_window)
  zov_bench(zovview_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/zovview_window_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/widgets_bench_main.cpp
            DEPS zovview_window zov_fixtures)
endif()
