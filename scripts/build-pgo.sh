#!/usr/bin/env bash
# A Release build optimised with profiles of a training run: builds with profiling into the
# folder (build-pgo by default), formats the project's own sources and examples with shipped
# definitions, then builds again with the profiles. The training never sees the benchmark's
# input. Takes about two plain builds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/install-deps.sh
dir=$(realpath -m "${1:-build-pgo}")
configure() {
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMIVAR_TESTS=OFF -DLUMIVAR_PYTHON=OFF \
        -DLUMIVAR_PGO="$1" >/dev/null
}

configure generate
rm -rf "$dir/pgo-profiles"
cmake --build "$dir" -j "${LUMIVAR_JOBS:-2}"

training=$(mktemp -d)
trap 'rm -rf "$training"' EXIT
find engine platform components tools frontend -name '*.cpp' -o -name '*.h' | sort | xargs cat > "$training/sources.cpp"
find python scripts fuzz -name '*.py' -o -name '*.sh' | sort | xargs cat > "$training/scripts.txt"
hlx="$dir/bin/lumivar-hlx format"
for definition in c cpp cs java js; do $hlx "hlx/$definition.hlx" "$training/sources.cpp" > /dev/null; done
$hlx hlx/py.hlx "$training/scripts.txt" > /dev/null
$hlx hlx/bash.hlx "$training/scripts.txt" > /dev/null
for example in Examples/*; do $hlx hlx/asp.hlx "$example" > /dev/null; done
"$dir/bin/lumivar" in="$root/Examples/asp-ex1.asp" out="$training/page.htm" overwrite=1 showoutput=0

configure use
cmake --build "$dir" -j "${LUMIVAR_JOBS:-2}"
echo "built with profiles: $dir/bin"
