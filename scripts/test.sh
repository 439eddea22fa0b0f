#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: a normal build, then the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the threaded tests and the whole-program
# journeys under ThreadSanitizer.
# Tests that draw run on Mesa's software renderer inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
run_tests() {  # build-dir [ctest options...]
  local dir=$1; shift
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --no-tests=error --output-on-failure -j "$jobs" "$@"
}

echo "== normal build"
# The run command configures the same tree without tests: switch them on again explicitly.
./scripts/build.sh build -DDELVIX_TESTS=ON -DDELVIX_BENCH=ON
run_tests build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
./scripts/build.sh build-asan -DDELVIX_SANITIZE=address -DDELVIX_TESTS=ON -DDELVIX_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
  run_tests build-asan

echo "== ThreadSanitizer (threaded tests, whole-program journeys)"
./scripts/build.sh build-tsan -DDELVIX_SANITIZE=thread -DDELVIX_TESTS=ON -DDELVIX_BENCH=OFF
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" run_tests build-tsan -R 'Thread|Journey|DemoGamesProgram|FolderPickerProgram|ProgramSettings'
echo "== all tests passed"
