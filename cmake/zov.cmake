# Helpers that keep each folder's CMakeLists.txt to one line.

# zov_library(NAME DEPS lib...): every .cpp of the calling folder becomes the
# static library zov_NAME; headers are included as "NAME/file.h" from src/.
function(zov_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(zov_${name} STATIC ${sources})
  target_include_directories(zov_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(zov_${name} PUBLIC ${ARG_DEPS})
endfunction()

# zov_test(NAME DEPS lib...): every .cpp of the calling folder becomes the
# GoogleTest program test_NAME, registered with CTest test by test.
function(zov_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE
    ZOV_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZOV_CORPUS_DIR="${PROJECT_SOURCE_DIR}/../shared/corpus/dxf")
  include(GoogleTest)
  gtest_discover_tests(test_${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# zov_bench(NAME SOURCES... DEPS lib...): one Google Benchmark program.
function(zov_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
endfunction()
