# The Windows side: the Win32 views, Korvi8.exe, and the tests that run against real Win32.
if(MINGW)
  # One self-contained exe: no libgcc, libstdc++ or libwinpthread DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Hardening, said out loud rather than left to the toolchain's defaults: address-space layout
  # randomisation (with 64-bit addresses on x86_64), no code run from data pages, terminal-server
  # aware; the 32-bit exe may use 4 GB on 64-bit Windows. Stack canaries and checked string and
  # memory calls (libssp, linked statically like the rest).
  add_link_options(-Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  else()
    add_link_options(-Wl,--large-address-aware)
  endif()
  # Sections aligned in the file as in memory: Wine then maps the exe's pages from the file as
  # they are used, where it otherwise reads the whole image into private memory, again in the
  # guardian (Windows maps images either way).
  add_link_options(-Wl,--file-alignment,0x1000)
  add_compile_options(-fstack-protector-strong)
  add_link_options(-fstack-protector-strong)
  # The checked calls need the optimiser; a debug build goes without them.
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX WIN32_LEAN_AND_MEAN)

# No comdlg32: the common dialogs load it when one first opens (winkit/CommonDialogs_win.h).
# The shell, COM and the common controls load when first called (DelayLoad.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/DelayLoad.cmake)
korvi_delay_load(KORVI_DELAYED_LIBS shell32 ole32 oleaut32 comctl32)
set(KORVI_WIN_LIBS user32 gdi32 ${KORVI_DELAYED_LIBS} uuid advapi32 psapi)

file(GLOB_RECURSE KORVI_WIN_SOURCES CONFIGURE_DEPENDS src/*_win.cpp)
list(FILTER KORVI_WIN_SOURCES EXCLUDE REGEX "/src/app/")
add_library(korvi_win STATIC ${KORVI_WIN_SOURCES})
target_link_libraries(korvi_win PUBLIC korvi_core ${KORVI_WIN_LIBS})
if(TARGET korvi_jpeg)
  target_link_libraries(korvi_win PUBLIC korvi_jpeg)
endif()

file(GLOB KORVI_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Korvi8 WIN32 ${KORVI_APP_SOURCES})
target_link_libraries(Korvi8 PRIVATE korvi_win)
set_target_properties(Korvi8 PROPERTIES OUTPUT_NAME Korvi8 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
# The version resource and the manifest take the project's version; the manifest names the
# architecture of this very exe.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KORVI_MANIFEST_ARCH amd64)
else()
  set(KORVI_MANIFEST_ARCH x86)
endif()
set(korvi_generated "${CMAKE_BINARY_DIR}/generated")
configure_file(src/app/KorviVersion.h.in "${korvi_generated}/KorviVersion.h" @ONLY)
configure_file(src/app/Korvi8.manifest "${korvi_generated}/Korvi8.exe.manifest" @ONLY)
target_include_directories(Korvi8 PRIVATE "${korvi_generated}")
set_source_files_properties(src/app/Korvi8.rc PROPERTIES
                            OBJECT_DEPENDS "${korvi_generated}/KorviVersion.h;${korvi_generated}/Korvi8.exe.manifest")
# The exe as it is released (scripts/release.sh turns this on): compiled for size, the functions
# and data nothing calls dropped by the linker, and stripped of its symbols. No link-time
# optimisation: MinGW-w64's GCC 12 cannot link this program with -flto (multiple definitions of
# the non-virtual thunks of classes with two bases, then an internal compiler error), a known
# fault of GCC and binutils for Windows targets.
option(KORVI_RELEASE_EXE "Build Korvi8.exe as released: -Os, unused sections dropped, stripped" OFF)
if(KORVI_RELEASE_EXE AND MINGW)
  foreach(t korvi_core korvi_win Korvi8)
    target_compile_options(${t} PRIVATE -Os -ffunction-sections -fdata-sections)
  endforeach()
  # The released file keeps the usual 512-byte file alignment: Windows maps an image's pages
  # either way, and the page-aligned file (for Wine's sake, above) is 40 KB bigger, over 1 MB.
  target_link_options(Korvi8 PRIVATE -Wl,--gc-sections -s -Wl,--file-alignment,0x200)
endif()
if(MSVC)
  # Korvi8.rc embeds the program's own manifest; the linker must not add a second one.
  target_link_options(Korvi8 PRIVATE /MANIFEST:NO)
endif()
# Files shipped beside the exe. A NAME.in is written as NAME with the version filled in and
# Windows line ends, as are the license's; the rest are copied as they are.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KORVI_RELEASE_ARCH "for 64-bit Windows, x64")
else()
  set(KORVI_RELEASE_ARCH "for 32-bit and 64-bit Windows, x86")
endif()
file(GLOB KORVI_DIST_FILES CONFIGURE_DEPENDS dist/*)
foreach(f ${KORVI_DIST_FILES})
  get_filename_component(n ${f} NAME)
  if(n MATCHES "^(.*)\\.in$")
    configure_file(${f} ${CMAKE_BINARY_DIR}/dist/${CMAKE_MATCH_1} @ONLY NEWLINE_STYLE WIN32)
  else()
    configure_file(${f} ${CMAKE_BINARY_DIR}/dist/${n} COPYONLY)
  endif()
endforeach()
configure_file(LICENSE ${CMAKE_BINARY_DIR}/dist/LICENSE.txt @ONLY NEWLINE_STYLE WIN32)
# The stock glyphs of the Control Panel and explorer buttons, drawn by our own script.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(stock_script "${CMAKE_SOURCE_DIR}/src/app/res/make-stock-glyphs.py")
set(stock_glyphs "${CMAKE_BINARY_DIR}/dist/CONTROL.BMP" "${CMAKE_BINARY_DIR}/dist/EXPLORER.BMP")
add_custom_command(OUTPUT ${stock_glyphs}
                   COMMAND Python3::Interpreter "${stock_script}" "${CMAKE_BINARY_DIR}/dist"
                   DEPENDS "${stock_script}" VERBATIM)
add_custom_target(korvi_stock_glyphs ALL DEPENDS ${stock_glyphs})
add_dependencies(Korvi8 korvi_stock_glyphs)

if(KORVI_TESTS)
  # Tier 2: the Win32 layer against real Win32 behaviour (under Wine on Linux).
  # The fake platform is built in too: the window seam's cases run against it and the system alike.
  file(GLOB KORVI_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp tests/support/*.cpp)
  add_executable(korvi_win_tests ${KORVI_WIN_TESTS} tests/e2e/PagerSession.cpp)
  target_include_directories(korvi_win_tests PRIVATE tests)
  target_link_libraries(korvi_win_tests PRIVATE korvi_win gmock gtest_main)
  # Another process owning windows, for the desktop switch tests (found beside the test program).
  add_executable(korvi_window_owner tests/win/owner/WindowOwner.cpp)
  target_link_libraries(korvi_window_owner PRIVATE user32)
  add_dependencies(korvi_win_tests korvi_window_owner)
  add_test(NAME win COMMAND korvi_win_tests --gtest_brief=1)

  # Tier 3: the real Korvi8.exe driven from outside like a user.
  file(GLOB KORVI_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
  add_executable(korvi_e2e_tests ${KORVI_E2E_TESTS} tests/win/WinTestUtil.cpp)
  target_include_directories(korvi_e2e_tests PRIVATE tests)
  target_link_libraries(korvi_e2e_tests PRIVATE korvi_win gmock gtest_main)
  add_dependencies(korvi_e2e_tests Korvi8)
  if(CMAKE_CROSSCOMPILING)
    # Programs the end-to-end tests launch could outlive them and hold CTest's output
    # pipe open; the wrapper keeps the output in a file instead.
    add_test(NAME e2e COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/run-detached.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                              $<TARGET_FILE:korvi_e2e_tests> --gtest_brief=1)
  else()
    add_test(NAME e2e COMMAND korvi_e2e_tests --gtest_brief=1)
  endif()

  file(GLOB KORVI_WIN_BENCHES CONFIGURE_DEPENDS bench/*_winbench.cpp)
  foreach(src ${KORVI_WIN_BENCHES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} tests/win/WinTestUtil.cpp tests/e2e/PagerSession.cpp)
    target_include_directories(${name} PRIVATE tests ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE korvi_win)
  endforeach()
  # The reference the pager's start-up, idle CPU and memory are measured against.
  add_executable(korvi_minimal_window WIN32 bench/reference/MinimalWindow.cpp)
  target_link_libraries(korvi_minimal_window PRIVATE user32 gdi32)
  if(TARGET panel_winbench)
    add_dependencies(panel_winbench korvi_minimal_window Korvi8)
  endif()
endif()
