# The settings of the unit tests under the sanitizers; sourced by the scripts that run them.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
