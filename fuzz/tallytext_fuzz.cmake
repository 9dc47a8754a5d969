# The tally text through the tally window's load, actions and save, on real
# files in a scratch folder. Seeds: fuzz/corpus/tallytext/.
add_executable(glypharo_tallytext_fuzz ${CMAKE_CURRENT_LIST_DIR}/tallytext_fuzz.cpp)
target_link_libraries(glypharo_tallytext_fuzz PRIVATE glypharo_tally)
target_link_options(glypharo_tallytext_fuzz PRIVATE -fsanitize=fuzzer)
set_target_properties(glypharo_tallytext_fuzz PROPERTIES AUTOMOC OFF)
glypharo_strict(glypharo_tallytext_fuzz)
