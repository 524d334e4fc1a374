# The editor window on a 25 MB analysis file: open, scroll to the end, type, save.
find_package(Qt6 REQUIRED COMPONENTS Test)
zov_bench(zovedit_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/zovedit_window_bench.cpp
          DEPS zovedit_window zov_fixtures Qt6::Test)
