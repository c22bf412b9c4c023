# libFuzzer targets over the parsers of files the user (or anybody) can hand the pager.
file(GLOB KORVI_FUZZERS CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
foreach(src ${KORVI_FUZZERS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE korvi_core)
endforeach()
