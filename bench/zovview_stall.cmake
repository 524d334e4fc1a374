if(TARGET zovview_window)
  zov_bench(zovview_stall SOURCES ${CMAKE_CURRENT_LIST_DIR}/zovview_stall_bench.cpp
            DEPS zovview_window zov_fixtures zov_large_drawing)
endif()
