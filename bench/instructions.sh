#!/usr/bin/env bash
# Instructions that `lumivar-hlx format DEF` executes per MB of input, counted by Cachegrind: the
# same figure on every run, so that a change of a percent or two shows, where wall times on a
# shared machine vary by more than that. The start-up (a one-byte input) is counted apart and
# taken off. The formatter runs at four or more instructions a cycle here, so that fewer
# instructions is less time; confirm a change in wall time all the same (whole_process.sh).
#
#   bash bench/instructions.sh [BIN_DIR] [INPUT] [DEF...]
#
# BIN_DIR defaults to build-release/bin, INPUT to the first MiB of /tmp/glibc-10mb.c (see
# bench/README.md), the definitions to bench/c_entered.hlx, bench/c_patterns.hlx, hlx/c.hlx and
# bench/catch_all.hlx. One processor, so that the formatter runs in one thread: chunks on two
# threads would count the guesses' work twice. Installs valgrind when it is missing (as root).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build-release/bin}" && pwd)
shift $(($# > 0 ? 1 : 0))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -gt 0 ]; then
    input=$(realpath "$1")
    shift
else
    input=$work/1mb.c
    head -c 1048576 /tmp/glibc-10mb.c > "$input"
fi
definitions=("$@")
[ ${#definitions[@]} -gt 0 ] || definitions=(bench/c_entered.hlx bench/c_patterns.hlx hlx/c.hlx bench/catch_all.hlx)

if ! command -v valgrind >/dev/null; then
    if [ "$(id -u)" != 0 ]; then echo "valgrind is missing: apt-get install valgrind" >&2; exit 1; fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq valgrind >/dev/null
fi
export HOME=${HOME:-$work}
printf 'x' > "$work/one.c"

count() {  # count DEF INPUT: instructions of one run
    (cd "$root" && taskset -c 0 valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null \
        "$bin/lumivar-hlx" format "$1" "$2" 2>&1 >/dev/null) | awk '/I +refs/ { gsub(",", "", $4); print $4 }'
}

mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { print b / 1048576 }')
echo "input: $input ($mb MB); instructions of lumivar-hlx format, in millions"
printf '%-28s %14s %12s\n' definition "per MB" start-up
for definition in "${definitions[@]}"; do
    whole=$(count "$definition" "$input")
    startup=$(count "$definition" "$work/one.c")
    awk -v d="$definition" -v w="$whole" -v s="$startup" -v mb="$mb" \
        'BEGIN { printf "%-28s %14.1f %12.1f\n", d, (w - s) / mb / 1e6, s / 1e6 }'
done
