#!/bin/sh
# Runs a command with its output in a file, then shows the file and returns its status.
# Anything the command leaves running keeps only the file open, not the caller's pipe.
log=$(mktemp)
"$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
