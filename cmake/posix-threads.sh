#!/bin/sh
# Compiler/linker launcher: swaps the win32-thread-model mingw driver for the
# posix one, so test executables can use std::thread and std::mutex.
compiler=$1; shift
case "$compiler" in
  *-win32) compiler="${compiler%-win32}-posix" ;;
esac
exec "$compiler" "$@"
