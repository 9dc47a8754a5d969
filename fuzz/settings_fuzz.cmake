# Arbitrary bytes as the settings file: read, save, read again. The settings
# file lives in the Qt application library. Seeds: fuzz/corpus/settings/.
if(TARGET glypharo_app_core)
  add_executable(glypharo_settings_fuzz ${CMAKE_CURRENT_LIST_DIR}/settings_fuzz.cpp)
  target_link_libraries(glypharo_settings_fuzz PRIVATE glypharo_app_core)
  target_link_options(glypharo_settings_fuzz PRIVATE -fsanitize=fuzzer)
  set_target_properties(glypharo_settings_fuzz PROPERTIES AUTOMOC OFF)
  glypharo_strict(glypharo_settings_fuzz)
endif()
