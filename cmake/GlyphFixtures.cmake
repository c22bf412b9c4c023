# Picture files for the glyph tests, made with ImageMagick at build time, and the
# fallback-picture resource the Windows tests need (the program's .rc includes it too).
# The script needs bash and ImageMagick (on Windows: Git for Windows' bash and ImageMagick 7's
# "magick", since "convert" there is a system tool for disks). Without them the tests cannot be
# built; -DKORVI_TESTS=OFF builds the program alone.
set(KORVI_GLYPH_FIXTURES "${CMAKE_BINARY_DIR}/glyph-fixtures")
set(script "${CMAKE_SOURCE_DIR}/tests/fixtures/make-glyph-fixtures.sh")
find_program(KORVI_BASH bash)
if(CMAKE_HOST_WIN32)
  find_program(KORVI_MAGICK magick)
else()
  find_program(KORVI_MAGICK NAMES convert magick)
endif()
if(NOT KORVI_BASH OR NOT KORVI_MAGICK)
  message(FATAL_ERROR "The tests' picture fixtures need bash and ImageMagick (found: bash '${KORVI_BASH}', "
                      "ImageMagick '${KORVI_MAGICK}'). Install them or configure with -DKORVI_TESTS=OFF.")
endif()
add_custom_command(OUTPUT "${KORVI_GLYPH_FIXTURES}/.stamp"
                   COMMAND ${CMAKE_COMMAND} -E env "KORVI_MAGICK=${KORVI_MAGICK}"
                           "${KORVI_BASH}" "${script}" "${KORVI_GLYPH_FIXTURES}"
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

# The three-icon program: our own tiny exe with three icon resources (red, green, blue),
# built into the fixtures folder beside the pictures.
if(WIN32)
  configure_file("${CMAKE_SOURCE_DIR}/tests/fixtures/three-icons/ThreeIcons.rc.in"
                 "${CMAKE_BINARY_DIR}/three-icons/ThreeIcons.rc" @ONLY)
  add_executable(ThreeIcons WIN32 "${CMAKE_SOURCE_DIR}/tests/fixtures/three-icons/ThreeIcons.cpp"
                                  "${CMAKE_BINARY_DIR}/three-icons/ThreeIcons.rc")
  set_target_properties(ThreeIcons PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${KORVI_GLYPH_FIXTURES}")
  add_dependencies(ThreeIcons korvi_glyph_fixtures)
  set_source_files_properties("${CMAKE_BINARY_DIR}/three-icons/ThreeIcons.rc" PROPERTIES
                              OBJECT_DEPENDS "${KORVI_GLYPH_FIXTURES}/.stamp")
  foreach(tests korvi_win_tests korvi_e2e_tests)
    if(TARGET ${tests})
      add_dependencies(${tests} ThreeIcons)
    endif()
  endforeach()
endif()
