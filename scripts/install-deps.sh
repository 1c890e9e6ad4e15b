#!/usr/bin/env bash
# Installs every Debian package the project needs. This is the only list of them.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev
  libsqlite3-dev libicu-dev libpcre2-dev unixodbc-dev xdg-utils
  python3 python3-dev pybind11-dev
  python3-pygments  # tests only: hlx/tests/measure compares the definitions with it
  valgrind
  clang-14 libclang-rt-14-dev
  locales-all
  libgsf-1-dev python3-olefile
  file desktop-file-utils lintian
  qt6-base-dev libgl-dev libqt6svg6
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
