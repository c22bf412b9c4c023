# Tier 1: the portable logic under GoogleTest with the fake platform.
file(GLOB KORVI_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
file(GLOB KORVI_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(korvi_unit_tests ${KORVI_UNIT_TESTS} ${KORVI_TEST_SUPPORT})
target_include_directories(korvi_unit_tests PRIVATE tests)
# The include-order test reads the source tree itself.
target_compile_definitions(korvi_unit_tests PRIVATE KORVI_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(korvi_unit_tests PRIVATE korvi_core gmock gtest_main)
add_test(NAME unit COMMAND korvi_unit_tests --gtest_brief=1)

file(GLOB KORVI_BENCHES CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(src ${KORVI_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${KORVI_TEST_SUPPORT})
  target_include_directories(${name} PRIVATE tests)
  target_link_libraries(${name} PRIVATE korvi_core)
endforeach()

# Configure-time fetching of Debian source packages, with a fake apt-get.
add_test(NAME apt_source COMMAND ${CMAKE_COMMAND} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/apt-source-test
         -P ${CMAKE_SOURCE_DIR}/tests/setup/AptSource_test.cmake)
