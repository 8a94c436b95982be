#!/usr/bin/env bash
# Runs a Wine test program with its output in a file, then shows it. The first window of a
# process starts Wine's desktop process, which inherits the output descriptors and outlives the
# test: on a pipe, ctest would wait for it until the time-out.
#   run-with-log.sh <program.exe> [arguments...]
log="$(mktemp)"
wine "$@" >"$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
exit $rc
