#!/usr/bin/env bash
# Installs the Debian packages the project needs and builds it into build/ (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPython_EXECUTABLE=/usr/bin/python3 "$@" >/dev/null
cmake --build "$dir" -j "${LUMIVAR_JOBS:-2}"
