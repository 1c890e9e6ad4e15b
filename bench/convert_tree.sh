#!/bin/bash
# lumivar-hlx convert against one process per file, on 3,000 .c/.h files of glibc's Debian
# source (package glibc-source, installed when missing and run as root): the seconds of each
# run, the speed-up of --jobs 2 over --jobs 1 and the peak memory (KB) of one command.
#   bash bench/convert_tree.sh [BUILD]      (BUILD: the build folder, default build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
tool=$(cd "${1:-$here/../build}" && pwd)/bin/lumivar-hlx
[ -f /usr/src/glibc/glibc-2.36.tar.xz ] || need /usr/src/glibc/glibc-2.36.tar.xz glibc-source
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TAVREL_ACP=65001

tar -xJf /usr/src/glibc/glibc-*.tar.xz -C "$work"
mkdir "$work/tree"
(cd "$work"/glibc-* && find . -name "*.[ch]" | sort | head -n 3000 | tar -cf - -T -) | tar -xf - -C "$work/tree"
files=$(find "$work/tree" -type f | wc -l)
mb=$(du -sm "$work/tree" | cut -f1)

seconds() {  # seconds COMMAND...: wall time of the command, its output thrown away
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}
per_file() {
    cd "$work/tree"
    find . -type f | while read -r f; do
        mkdir -p "$work/single/$(dirname "$f")"
        "$tool" format "$(dirname "$tool")/hlx/c.hlx" "$f" > "$work/single/$f.html"
    done
}

loop=$(seconds per_file)
jobs1=$(seconds "$tool" convert "$work/tree" --out "$work/out1" --jobs 1)
jobs2=$(seconds "$tool" convert "$work/tree" --out "$work/out2" --jobs 2)
again=$(seconds "$tool" convert "$work/tree" --out "$work/out2" --jobs 2)
anchors=$(seconds "$tool" convert "$work/tree" --out "$work/out3" --jobs 2 --line-anchors)
/usr/bin/time -f %M -o "$work/peak" "$tool" convert "$work/tree" --out "$work/out4" --jobs 2 >/dev/null 2>&1 || true
peak=$(cat "$work/peak")
/usr/bin/time -f %M -o "$work/peak" "$tool" convert "$work/tree/sysdeps" --out "$work/out5" --jobs 2 >/dev/null 2>&1 || true
peak_half=$(cat "$work/peak")

echo "tree: $files files, $mb MB (glibc .c/.h)"
echo "one process per file (lumivar-hlx format): $loop s"
echo "convert --jobs 1: $jobs1 s"
echo "convert --jobs 2: $jobs2 s"
echo "convert --jobs 2, nothing changed: $again s"
echo "convert --jobs 2 --line-anchors: $anchors s"
awk -v l="$loop" -v a="$jobs1" -v b="$jobs2" \
    'BEGIN { printf "one command vs one process per file: %.1f times faster; --jobs 2 vs --jobs 1: %.2f times\n", l / b, a / b }'
echo "peak memory, whole tree: ${peak} KB; the sysdeps part only: ${peak_half} KB"
