# The computer player's move search: median, p99 and worst over seeded racks.
# Run: glypharo_engine_bench [word-list]   (a Release build gives the figures)
add_executable(glypharo_engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
target_link_libraries(glypharo_engine_bench PRIVATE glypharo_host)
target_compile_definitions(glypharo_engine_bench PRIVATE
  GLYPHARO_COMPUTER_WORDS="${PROJECT_SOURCE_DIR}/resources/words/computer.txt")
glypharo_strict(glypharo_engine_bench)
