#!/usr/bin/env bash
# How the time of `lumivar-hlx format DEF INPUT > /dev/null` grows with the input when a short
# unit that enters and leaves a section is repeated: a section return starts a fresh search, and
# a pattern whose next match lies far ahead must not be searched to it again each time.
#
#   bash bench/rescan_scaling.sh [BIN_DIR] [SIZES_KB...]
#
# BIN_DIR defaults to build-release/bin, the sizes to 100 200 400. Prints one line per definition
# and unit: the seconds at each size (one run each, whole process) and the ratio of the largest
# size's time to the smallest's (linear growth gives about the ratio of the sizes).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build-release/bin}" && pwd)
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(100 200 400)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# repeat PREFIX UNIT KB FILE: the prefix, then the unit repeated to at least KB kilobytes (both
# with backslash escapes such as \n).
repeat() {
    python3 -c 'import sys; p, u = (a.encode().decode("unicode_escape") for a in sys.argv[1:3]); n = int(sys.argv[3]) * 1000
sys.stdout.write(p + u * (n // len(u) + 1))' "$1" "$2" "$3" > "$4"
}

seconds() {  # seconds DEF FILE
    local start end
    start=$(date +%s.%N)
    "$bin/lumivar-hlx" format "$1" "$2" > /dev/null || { echo "lumivar-hlx failed on $1" >&2; exit 1; }
    end=$(date +%s.%N)
    echo "$start $end" | awk '{ printf "%.2f", $2 - $1 }'
}

# definition|prefix|unit: php and asp reach their script section through a <script> tag.
cases=(
    'ts||/*x*/ab\n'
    'js||/*x*/ab\n'
    'rb||"x"ab\n'
    'pl||"x"ab\n'
    'php|<script>|/*x*/ab\n'
    'asp|<script>|/*x*/ab\n'
    'c||/*x*/ab\n'
)

printf '%-5s %-18s' def unit
for kb in "${sizes[@]}"; do printf ' %8s' "${kb}KB"; done
printf ' %8s\n' ratio
for entry in "${cases[@]}"; do
    IFS='|' read -r def prefix unit <<< "$entry"
    printf '%-5s %-18s' "$def" "$prefix$unit"
    first='' last=''
    for kb in "${sizes[@]}"; do
        repeat "$prefix" "$unit" "$kb" "$work/input"
        t=$(seconds "$root/hlx/$def.hlx" "$work/input")
        printf ' %8s' "$t"
        [ -z "$first" ] && first=$t
        last=$t
    done
    awk -v a="$first" -v b="$last" 'BEGIN { printf " %8.1f\n", (a > 0 ? b / a : 0) }'
done
