# Dictionary lookup on disk against an in-memory binary search of the same list.
add_executable(glypharo_dict_bench ${CMAKE_CURRENT_LIST_DIR}/dict_bench.cpp)
target_link_libraries(glypharo_dict_bench PRIVATE glypharo_dict glypharo_dict_qt benchmark::benchmark)
glypharo_strict(glypharo_dict_bench)
