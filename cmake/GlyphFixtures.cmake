# Picture files for the glyph tests, made with ImageMagick at build time, and the
# fallback-picture resource the Windows tests need (the program's .rc includes it too).
set(KORVI_GLYPH_FIXTURES "${CMAKE_BINARY_DIR}/glyph-fixtures")
set(script "${CMAKE_SOURCE_DIR}/tests/fixtures/make-glyph-fixtures.sh")
add_custom_command(OUTPUT "${KORVI_GLYPH_FIXTURES}/.stamp"
                   COMMAND bash "${script}" "${KORVI_GLYPH_FIXTURES}"
                   DEPENDS "${script}" VERBATIM)
add_custom_target(korvi_glyph_fixtures ALL DEPENDS "${KORVI_GLYPH_FIXTURES}/.stamp")

if(TARGET korvi_unit_tests)
  add_dependencies(korvi_unit_tests korvi_glyph_fixtures)
  target_compile_definitions(korvi_unit_tests PRIVATE KORVI_GLYPH_FIXTURES="${KORVI_GLYPH_FIXTURES}")
endif()
if(TARGET korvi_e2e_tests)
  add_dependencies(korvi_e2e_tests korvi_glyph_fixtures)
endif()
if(TARGET korvi_win_tests)
  add_dependencies(korvi_win_tests korvi_glyph_fixtures)
  target_sources(korvi_win_tests PRIVATE "${CMAKE_SOURCE_DIR}/tests/win/WinTests.rc")
endif()
