# Arbitrary host bytes and clicks through the client model with fake
# observer, tally and timers. Seeds: fuzz/corpus/client/.
add_executable(glypharo_client_fuzz ${CMAKE_CURRENT_LIST_DIR}/client_fuzz.cpp)
target_link_libraries(glypharo_client_fuzz PRIVATE glypharo_client glypharo_fakes)
target_link_options(glypharo_client_fuzz PRIVATE -fsanitize=fuzzer)
set_target_properties(glypharo_client_fuzz PROPERTIES AUTOMOC OFF)
glypharo_strict(glypharo_client_fuzz)
