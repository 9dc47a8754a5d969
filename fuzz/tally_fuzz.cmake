# Feeds arbitrary bytes to the tally file's decompressor and to the tally
# table reader. Seeds: fuzz/corpus/tally/.
add_executable(glypharo_tally_fuzz ${CMAKE_CURRENT_LIST_DIR}/tally_fuzz.cpp)
target_link_libraries(glypharo_tally_fuzz PRIVATE glypharo_tally)
target_link_options(glypharo_tally_fuzz PRIVATE -fsanitize=fuzzer)
set_target_properties(glypharo_tally_fuzz PROPERTIES AUTOMOC OFF)
glypharo_strict(glypharo_tally_fuzz)
