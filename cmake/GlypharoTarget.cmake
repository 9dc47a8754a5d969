# Warnings and defines shared by every target of ours.
function(glypharo_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  target_compile_definitions(${target} PRIVATE QT_NO_FOREACH)
endfunction()

# A GoogleTest binary for one folder of tests. Qt-based tests run offscreen.
function(glypharo_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  glypharo_strict(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} glypharo_fakes GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${ARG_PROPERTIES})
endfunction()
