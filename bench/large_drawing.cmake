# The generated large drawings shared by the import and render benchmarks,
# and make_large_dxf, which writes them for measuring the programs from outside.
add_library(zov_large_drawing STATIC ${CMAKE_CURRENT_LIST_DIR}/large_drawing.cpp)
target_link_libraries(zov_large_drawing PUBLIC zov_fixtures zov_dxf_import)
add_executable(make_large_dxf ${CMAKE_CURRENT_LIST_DIR}/make_large_dxf.cpp)
target_link_libraries(make_large_dxf PRIVATE zov_large_drawing)
