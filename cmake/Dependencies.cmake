# libjpeg (the IJG API, provided by libjpeg-turbo) as the target `korvi_jpeg`.
#   native build:  Debian's libjpeg62-turbo-dev
#   Windows build: a static libjpeg-turbo built for the cross toolchain from Debian's source package
#   fuzz build:    the same source built with the fuzzer's instrumentation, so coverage reaches the decoder
# The source package is fetched once with `apt-get source` (needs a deb-src entry: scripts/setup.sh adds
# one) and built once into the build tree; later configures reuse the installed copy.

set(KORVI_JPEG_SOURCE "" CACHE PATH "An unpacked libjpeg-turbo source tree (fetched with apt-get source when empty)")

include(${CMAKE_CURRENT_LIST_DIR}/AptSource.cmake)

function(korvi_fetch_libjpeg_source out_dir)
  if(KORVI_JPEG_SOURCE)
    set(${out_dir} "${KORVI_JPEG_SOURCE}" PARENT_SCOPE)
  else()
    korvi_apt_source(libjpeg-turbo "${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-src" dir)
    set(${out_dir} "${dir}" PARENT_SCOPE)
  endif()
endfunction()

# Configures, builds and installs a static libjpeg into `prefix` unless a previous run did.
function(korvi_build_libjpeg name prefix)
  set(stamp "${prefix}/.korvi-built")
  if(EXISTS "${stamp}")
    return()
  endif()
  korvi_fetch_libjpeg_source(src)
  set(bin "${CMAKE_BINARY_DIR}/_deps/${name}-build")
  file(REMOVE_RECURSE "${bin}" "${prefix}")
  message(STATUS "libjpeg: building ${name} from ${src}")
  set(platform_args "")
  if(CMAKE_GENERATOR_PLATFORM)  # Visual Studio generators: the same target machine
    set(platform_args -A "${CMAKE_GENERATOR_PLATFORM}")
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${src}" -B "${bin}" -G "${CMAKE_GENERATOR}" ${platform_args}
            -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_INSTALL_PREFIX=${prefix}   # the Windows default prefix breaks the configure on Linux
            -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
            -DCMAKE_POSITION_INDEPENDENT_CODE=ON
            ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "libjpeg: configure of ${name} failed:\n${out}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build "${bin}" --config Release --target install -j2
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "libjpeg: build of ${name} failed:\n${out}")
  endif()
  file(TOUCH "${stamp}")
endfunction()

function(korvi_import_libjpeg prefix)
  # MinGW names the static library libjpeg.a; MSVC builds of libjpeg-turbo name it jpeg-static.lib.
  find_library(KORVI_JPEG_LIBRARY NAMES jpeg-static libjpeg.a jpeg PATHS "${prefix}/lib" "${prefix}/lib32" NO_DEFAULT_PATH
               NO_CMAKE_FIND_ROOT_PATH)
  if(NOT KORVI_JPEG_LIBRARY)
    message(FATAL_ERROR "libjpeg: no library under ${prefix}")
  endif()
  add_library(korvi_jpeg INTERFACE)
  target_include_directories(korvi_jpeg SYSTEM INTERFACE "${prefix}/include")
  target_link_libraries(korvi_jpeg INTERFACE "${KORVI_JPEG_LIBRARY}")
endfunction()

if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG QUIET)  # e.g. from vcpkg on a Windows machine
endif()

if(WIN32 AND JPEG_FOUND)
  add_library(korvi_jpeg INTERFACE)
  target_link_libraries(korvi_jpeg INTERFACE JPEG::JPEG)
elseif(WIN32)
  korvi_build_libjpeg(libjpeg-turbo-mingw "${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-mingw"
                      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DWITH_CRT_DLL=OFF)
  korvi_import_libjpeg("${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-mingw")
elseif(KORVI_FUZZ)
  # Instrumented for coverage and ASan; SIMD off so that every decoding path is plain C the fuzzer sees.
  korvi_build_libjpeg(libjpeg-turbo-fuzz "${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-fuzz"
                      -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER} -DWITH_SIMD=OFF
                      "-DCMAKE_C_FLAGS=-g -fsanitize=fuzzer-no-link,address,undefined")
  korvi_import_libjpeg("${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-fuzz")
else()
  find_package(JPEG REQUIRED)
  add_library(korvi_jpeg INTERFACE)
  target_link_libraries(korvi_jpeg INTERFACE JPEG::JPEG)
endif()

# The JPEG decoder wrapper is portable logic, so the core links the library.
target_link_libraries(korvi_core PUBLIC korvi_jpeg)
