#!/usr/bin/env bash
# Builds the project and runs every test: the plain build (C++ and Python suites),
# then the C++ suites again under AddressSanitizer and UndefinedBehaviorSanitizer, then a short
# run of each fuzz target (LUMIVAR_FUZZ_SECONDS each, 30 by default); any finding fails the run.
# The fuzz runs start from a fixed seed (LUMIVAR_FUZZ_SEED, 1 by default): every machine then
# tries the same inputs in the same order, a slower one fewer of them, and a finding can be
# reproduced. Longer runs with fresh seeds: `bash fuzz/run.sh NAME SECONDS`.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${LUMIVAR_JOBS:-2}

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs")

if [ "${LUMIVAR_SKIP_SANITIZERS:-0}" != 1 ]; then
  bash scripts/build.sh build-asan -DLUMIVAR_SANITIZE=ON -DLUMIVAR_PYTHON=OFF
  # tests/lsan.supp: what system libraries keep until the process ends (fontconfig under Qt).
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs")
fi

if [ "${LUMIVAR_SKIP_FUZZ:-0}" != 1 ]; then
  for target in fuzz/*_fuzzer.cpp; do
    name=${target##*/}
    bash fuzz/run.sh "${name%_fuzzer.cpp}" "${LUMIVAR_FUZZ_SECONDS:-30}" -seed="${LUMIVAR_FUZZ_SEED:-1}"
  done
fi
