# Received and typed chat lines through the chat text rules. Seeds:
# fuzz/corpus/chat/.
add_executable(glypharo_chat_fuzz ${CMAKE_CURRENT_LIST_DIR}/chat_fuzz.cpp)
target_link_libraries(glypharo_chat_fuzz PRIVATE glypharo_client)
target_link_options(glypharo_chat_fuzz PRIVATE -fsanitize=fuzzer)
set_target_properties(glypharo_chat_fuzz PROPERTIES AUTOMOC OFF)
glypharo_strict(glypharo_chat_fuzz)
