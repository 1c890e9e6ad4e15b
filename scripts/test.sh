#!/usr/bin/env bash
# Builds the project and runs every test: the plain build (C++ and Python suites),
# then the C++ suites again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=${LUMIVAR_JOBS:-2}
configure() { # folder, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPython_EXECUTABLE=/usr/bin/python3 "$@" >/dev/null
}

configure build
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

if [ "${LUMIVAR_SKIP_SANITIZERS:-0}" != 1 ]; then
  configure build-asan -DLUMIVAR_SANITIZE=ON -DLUMIVAR_PYTHON=OFF
  cmake --build build-asan -j "$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     ctest --output-on-failure -j "$jobs")
fi
