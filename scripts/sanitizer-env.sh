# The settings of the unit tests under the sanitizers; sourced by the scripts that run them.
# Leaks are checked; tests/lsan.supp names the third-party libraries whose buffers outlive the tests.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
