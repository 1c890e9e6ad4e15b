#!/usr/bin/env bash
# Builds one fuzz target with clang, libFuzzer, ASan and UBSan, and runs it on a working copy of
# its seed corpus:  bash fuzz/run.sh NAME [SECONDS] [libFuzzer options ...]
# NAME is the part before _fuzzer.cpp (hlx_reader, regexp, ...); SECONDS defaults to 60.
# The working corpus (fuzz/corpus/NAME plus what earlier runs added) lives in the build folder,
# crash, leak and timeout reproducers go to $LUMIVAR_FUZZ_BUILD/artifacts/NAME/ (build-fuzz by
# default); fuzz/NAME.dict, when present, is the target's dictionary. Exits non-zero
# when the target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ ! -f "fuzz/${1}_fuzzer.cpp" ]; then
  echo "usage: bash fuzz/run.sh NAME [SECONDS] [libFuzzer options ...]; NAME one of:" >&2
  for f in fuzz/*_fuzzer.cpp; do f=${f##*/}; echo "  ${f%_fuzzer.cpp}" >&2; done
  exit 2
fi
name=$1
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
dir=${LUMIVAR_FUZZ_BUILD:-build-fuzz}

bash scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" \
      -DLUMIVAR_FUZZ=ON -DLUMIVAR_SANITIZE=ON -DLUMIVAR_TESTS=OFF -DLUMIVAR_PYTHON=OFF >/dev/null
cmake --build "$dir" --target "${name}_fuzzer" -j "${LUMIVAR_JOBS:-2}"

corpus=$dir/corpus/$name
artifacts=$dir/artifacts/$name
mkdir -p "$corpus" "$artifacts"
cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true

options=()
[ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$dir/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "${options[@]}" "$@" "$corpus"
