# Arbitrary bytes as the dictionary file, and a word taken from the input.
add_executable(glypharo_dict_fuzz ${CMAKE_CURRENT_LIST_DIR}/dict_fuzz.cpp)
target_link_libraries(glypharo_dict_fuzz PRIVATE glypharo_dict)
target_link_options(glypharo_dict_fuzz PRIVATE -fsanitize=fuzzer)
glypharo_strict(glypharo_dict_fuzz)
