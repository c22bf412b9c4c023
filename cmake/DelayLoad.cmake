# System DLLs that Korvi8 needs only for some commands, loaded when one of their functions is
# first called instead of at start-up: the shell (file icons, launches, dropped files), COM and
# OLE (shortcuts, the help's browser control) and the common controls' image lists. Each costs
# resident memory in the pager and again in its guardian, which calls none of them, and time
# before the panel first paints. They are all Windows' known DLLs or bound by the manifest, so
# they come from the system folder however they are loaded.
#
# korvi_delay_load(<out-var> <lib>...) sets <out-var> to what to link instead of the named
# import libraries. MinGW: a delay-import library per DLL, written by dlltool from the names
# the toolchain's import library exports (its __delayLoadHelper2 is in the C runtime).
# MSVC: the linker's /DELAYLOAD with its helper library.
function(korvi_delay_load out)
  set(libs "")
  if(MSVC)
    foreach(lib ${ARGN})
      add_link_options(/DELAYLOAD:${lib}.dll)
      list(APPEND libs ${lib})
    endforeach()
    list(APPEND libs delayimp)
  elseif(MINGW)
    get_filename_component(bin "${CMAKE_C_COMPILER}" DIRECTORY)
    string(REGEX REPLACE "gcc(-posix|-win32)?(\\.exe)?$" "" prefix "${CMAKE_C_COMPILER}")
    find_program(KORVI_DLLTOOL NAMES ${prefix}dlltool dlltool HINTS "${bin}" REQUIRED)
    set(dir "${CMAKE_BINARY_DIR}/delayload")
    file(MAKE_DIRECTORY "${dir}")
    foreach(lib ${ARGN})
      set(delay "${dir}/lib${lib}_delay.a")
      find_library(KORVI_IMPLIB_${lib} NAMES lib${lib}.a ${lib} REQUIRED)
      if(NOT EXISTS "${delay}" OR "${KORVI_IMPLIB_${lib}}" IS_NEWER_THAN "${delay}")
        execute_process(COMMAND "${CMAKE_NM}" -g --defined-only "${KORVI_IMPLIB_${lib}}"
                        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        # "T name" on x86_64; "T _name@bytes" for the 32-bit stdcall functions, whose
        # imported name goes without the decoration (dlltool -k).
        string(REGEX MATCHALL "[ \t]T [A-Za-z_][A-Za-z0-9_@]*" names "${symbols}")
        set(def "LIBRARY ${lib}.dll\nEXPORTS\n")
        foreach(n ${names})
          string(REGEX REPLACE "^[ \t]T " "" n "${n}")
          if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(REGEX REPLACE "^_" "" n "${n}")
          endif()
          string(APPEND def "${n}\n")
        endforeach()
        file(WRITE "${dir}/${lib}.def" "${def}")
        execute_process(COMMAND "${KORVI_DLLTOOL}" -k --input-def "${dir}/${lib}.def" --dllname ${lib}.dll
                                --output-delaylib "${delay}"
                        COMMAND_ERROR_IS_FATAL ANY)
      endif()
      list(APPEND libs "${delay}")
    endforeach()
  else()
    set(libs ${ARGN})
  endif()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()
