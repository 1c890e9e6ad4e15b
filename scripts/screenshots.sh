#!/usr/bin/env bash
# Saves PNG pictures of the program's windows into the folder given (default screenshots/), on a
# virtual X display (Xvfb :99, installed when missing). Builds into build/ first when needed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-screenshots}")
if [ ! -f build/build.ninja ]; then
  bash scripts/build.sh build
fi
cmake --build build -j "${LUMIVAR_JOBS:-2}" --target lumivar_screenshots lumivar_shipped_folders quillon mossel >/dev/null

if ! command -v Xvfb >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends xvfb
fi
Xvfb :99 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X99 ] && break; sleep 0.1; done

mkdir -p "$out"
DISPLAY=:99 QT_QPA_PLATFORM=xcb build/bin/lumivar_screenshots "$out"
