# Fetching a Debian source package at configure time (cmake/AptSource.cmake) with a fake apt-get
# first on PATH: a transient failure costs one more try, a lasting one stops with the package's name
# and apt's words. Run by ctest as `cmake -DWORK=dir -P` this file; each case runs it again as CASE.
cmake_minimum_required(VERSION 3.19)
set(fake "${WORK}/bin/apt-get")
set(count "${WORK}/tries")

if(DEFINED CASE)
  set(ENV{PATH} "${WORK}/bin:$ENV{PATH}")
  set(ENV{KORVI_SETUP_RETRY_PAUSE} 0)
  include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/AptSource.cmake")
  korvi_apt_source(libjpeg-turbo "${WORK}/fetch" tree)
  message("unpacked: ${tree}")
  return()
endif()

# case | tries the fake apt-get fails before it succeeds | exit status | what the output must say (a regex: no semicolons, they split lists)
set(cases
  "at once|0|0|unpacked: .*/fetch/libjpeg-turbo-2.1.5"
  "transient|1|0|trying again in 0 s.*unpacked: .*/fetch/libjpeg-turbo-2.1.5"
  "lasting|9|1|`apt-get source libjpeg-turbo` failed twice \\(100\\). apt said:[\n ]+E: Failed to fetch [^\n]*Mirror sync in progress\\? \\(try 2\\)\n")
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" c "${c}")
  list(GET c 0 name)
  list(GET c 1 failures)
  list(GET c 2 want_rc)
  list(GET c 3 want_out)
  file(REMOVE_RECURSE "${WORK}")
  # A failed try leaves a partial download behind, as apt does; a good one unpacks a tree.
  file(WRITE "${fake}" "#!/bin/sh
n=$(( $(cat '${count}' 2>/dev/null || echo 0) + 1 )); echo $n >'${count}'
[ \"$1 $2 $3\" = 'source -q libjpeg-turbo' ] || { echo \"E: unexpected arguments: $*\" >&2; exit 2; }
if [ $n -le ${failures} ]; then
  echo partial >libjpeg-turbo_2.1.5.orig.tar.gz
  echo \"E: Failed to fetch http://mirror/libjpeg-turbo_2.1.5.orig.tar.gz  File has unexpected size (1 != 2). Mirror sync in progress? (try $n)\" >&2
  exit 100
fi
[ ! -e libjpeg-turbo_2.1.5.orig.tar.gz ] || { echo 'E: the last try left its files' >&2; exit 3; }
mkdir libjpeg-turbo-2.1.5 && touch libjpeg-turbo-2.1.5/CMakeLists.txt
")
  file(CHMOD "${fake}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  execute_process(COMMAND "${CMAKE_COMMAND}" -DWORK=${WORK} -DCASE=${name} -P "${CMAKE_CURRENT_LIST_FILE}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(READ "${count}" tries)
  string(STRIP "${tries}" tries)
  set(want_tries 1)
  if(failures GREATER 0)
    set(want_tries 2)
  endif()
  if(NOT rc EQUAL want_rc OR NOT out MATCHES "${want_out}" OR NOT tries EQUAL want_tries)
    message(SEND_ERROR "case ${name}: exit ${rc} (want ${want_rc}), ${tries} tries (want ${want_tries}), output:\n${out}")
  else()
    message("case ${name}: ok")
  endif()
endforeach()
