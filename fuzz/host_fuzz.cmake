# Arbitrary bytes from three connections through the host's framing, queue
# and dispatcher. Seeds: fuzz/corpus/host/.
add_executable(glypharo_host_fuzz ${CMAKE_CURRENT_LIST_DIR}/host_fuzz.cpp)
target_link_libraries(glypharo_host_fuzz PRIVATE glypharo_host glypharo_fakes)
target_link_options(glypharo_host_fuzz PRIVATE -fsanitize=fuzzer)
set_target_properties(glypharo_host_fuzz PROPERTIES AUTOMOC OFF)
glypharo_strict(glypharo_host_fuzz)
