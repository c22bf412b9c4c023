# korvi_apt_source(PACKAGE DIR OUT): unpacks Debian's source package PACKAGE under DIR with
# `apt-get source` (needs a deb-src entry and dpkg-dev: scripts/setup.sh adds them) unless a tree is
# there already, and sets OUT to the unpacked tree. A download that fails (a mirror in the middle of
# a sync, a dropped connection) is tried once more after a short pause, KORVI_SETUP_RETRY_PAUSE
# seconds (5 unless set, as for set-up's package lists); a second failure stops configuring with the
# package's name and apt's own words.
function(korvi_apt_source package dir out)
  set(pattern "${dir}/${package}-*/CMakeLists.txt")
  file(GLOB found LIST_DIRECTORIES true "${pattern}")
  set(pause 5)
  if(DEFINED ENV{KORVI_SETUP_RETRY_PAUSE})
    set(pause "$ENV{KORVI_SETUP_RETRY_PAUSE}")
  endif()
  foreach(try 1 2)
    if(found)
      break()
    endif()
    if(try EQUAL 2)
      message(STATUS "${package}: `apt-get source` failed (${rc}); trying again in ${pause} s")
      execute_process(COMMAND ${CMAKE_COMMAND} -E sleep "${pause}")
    endif()
    # Start from an empty folder: a failed try can leave half-downloaded or half-unpacked files.
    file(REMOVE_RECURSE "${dir}")
    file(MAKE_DIRECTORY "${dir}")
    message(STATUS "${package}: fetching Debian's source package")
    execute_process(COMMAND apt-get source -q "${package}"
                    WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc OUTPUT_VARIABLE apt_out ERROR_VARIABLE apt_out)
    file(GLOB found LIST_DIRECTORIES true "${pattern}")
  endforeach()
  if(NOT found)
    # apt's error lines say why; without any, its whole output does. Indented, so that CMake prints
    # each line as it is instead of running them together into one paragraph.
    string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" why "${apt_out}")
    if(NOT why)
      set(why "${apt_out}")
    endif()
    string(STRIP "${why}" why)
    string(REPLACE "\n" "\n  " why "\n${why}")
    message(FATAL_ERROR "${package}: `apt-get source ${package}` failed twice (${rc}); apt said:${why}\n"
                        "Run scripts/setup.sh (it adds the deb-src entry and dpkg-dev).")
  endif()
  list(GET found 0 first)
  get_filename_component(tree "${first}" DIRECTORY)
  set(${out} "${tree}" PARENT_SCOPE)
endfunction()
