#!/usr/bin/env bash
# Whole conversions as a user runs them: wall time and peak memory of `lumivar-hlx format DEF FILE
# > out.html` for each definition, next to KDE's kate-syntax-highlighter on the same file; the
# fixed costs under them (start-up, reading and writing, and the catch-all's job done by a small C
# program that does nothing else); the program in batch mode against lumivar-hlx; and how the time
# grows from 1 MB to 10 MB to 100 MB.
#
#   bash bench/whole_process.sh [BIN_DIR] [INPUT] [RUNS]
#
# BIN_DIR defaults to build-release/bin, INPUT to /tmp/glibc-10mb.c (see bench/README.md), RUNS
# to 5. The cases run in turn, RUNS rounds of them, so that a slow spell of a shared machine
# falls on all of them; each line gives the median and the fastest run, and ratios are taken
# between medians and between fastest runs. BENCH_CPU=N runs every process on that processor;
# BENCH_PAUSE=S waits S seconds before every run, as a user meets a conversion after a pause (on
# a virtual machine that hands free memory back to its host, memory taken after a pause is dearer).
# Installs kate-syntax-highlighter and GNU time when they are missing (as root); the project's
# build does not need them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build-release/bin}" && pwd)
input=$(realpath "${2:-/tmp/glibc-10mb.c}")
runs=${3:-5}

. "$root/bench/common.sh"
need kate-syntax-highlighter libkf5syntaxhighlighting-tools
need /usr/bin/time time

pin=()
[ -n "${BENCH_CPU:-}" ] && pin=(taskset -c "$BENCH_CPU")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=${HOME:-$work}
unset DISPLAY WAYLAND_DISPLAY

# run_rounds NAME=COMMAND...: RUNS rounds of every command, standard output to a file; leaves
# "MEDIAN_S FASTEST_S PEAK_KB" in $work/NAME. The shell's own clock times each run (a clock
# program started around it would add its own start-up to every figure); the peak memory comes
# from one more run of each under GNU time.
run_rounds() {
    local job name start end
    for job in "$@"; do : > "$work/${job%%=*}.times"; done
    for ((round = 0; round < runs; round++)); do
        for job in "$@"; do
            name=${job%%=*}
            rm -f "$work/out.html" "$work/batch.htm"
            [ -z "${BENCH_PAUSE:-}" ] || sleep "$BENCH_PAUSE"
            start=${EPOCHREALTIME/[.,]/}
            eval "${pin[*]} ${job#*=}" > "$work/out.html"
            end=${EPOCHREALTIME/[.,]/}
            echo $((end - start)) >> "$work/$name.times"
        done
    done
    for job in "$@"; do
        name=${job%%=*}
        rm -f "$work/out.html" "$work/batch.htm"
        eval "${pin[*]} /usr/bin/time -f %M -o $work/rss ${job#*=}" > "$work/out.html"
        sort -n "$work/$name.times" | awk -v kb="$(tail -n 1 "$work/rss")" '{ t[NR] = $1 }
            END { printf "%.4f %.4f %d\n", t[int((NR + 1) / 2)] / 1e6, t[1] / 1e6, kb }' > "$work/$name"
    done
}
field() { awk -v n="$2" '{ print $n }' "$work/$1"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(uname -r)"
echo "input: $input ($(size_mb "$input") MB), $runs rounds, wall time of the whole process${BENCH_CPU:+, on processor $BENCH_CPU}${BENCH_PAUSE:+, $BENCH_PAUSE s pause before each run}"
echo

hlx="$bin/lumivar-hlx format"
run_rounds "kate=kate-syntax-highlighter -s C -f html $input" \
    "entered=$hlx $root/bench/c_entered.hlx $input" "patterns=$hlx $root/bench/c_patterns.hlx $input" \
    "shipped=$hlx $root/hlx/c.hlx $input" "catchall=$hlx $root/bench/catch_all.hlx $input"
bytes=$(stat -c %s "$input")
printf '%-30s %8s %8s %8s %8s %8s %8s\n' case median MB/s fastest MB/s "peak MB" "x KDE"
for row in "kate:kate-syntax-highlighter -s C" "entered:bench/c_entered.hlx" "patterns:bench/c_patterns.hlx" \
           "shipped:hlx/c.hlx" "catchall:bench/catch_all.hlx"; do
    name=${row%%:*}
    awk -v label="${row#*:}" -v m="$(field "$name" 1)" -v f="$(field "$name" 2)" -v kb="$(field "$name" 3)" \
        -v km="$(field kate 1)" -v kf="$(field kate 2)" -v b="$bytes" 'BEGIN {
        printf "%-30s %7.3fs %8.1f %7.3fs %8.1f %8.1f %4.1f/%-4.1f\n", label, m, b / 1048576 / m, f, b / 1048576 / f,
            kb / 1024, km / m, kf / f }'
done
echo "(x KDE: the highlighter's time over ours, between medians / between fastest runs)"

echo
echo "fixed costs, in the same way: a conversion of a one-byte file (start-up and exit), cat"
echo "copying the input twice over into a new file (about the catch-all's reading and writing), and"
echo "bench/catch_all_floor.c, the catch-all's job and nothing else (the least it takes here):"
printf 'x' > "$work/one.c"
cc -O2 -o "$work/floor" "$root/bench/catch_all_floor.c"
run_rounds "startup=$hlx $root/bench/catch_all.hlx $work/one.c" "cat=cat $input $input" "floor=$work/floor $input"
awk -v s="$(field startup 1)" -v sf="$(field startup 2)" -v c="$(field cat 1)" -v cf="$(field cat 2)" \
    -v fl="$(field floor 1)" -v ff="$(field floor 2)" -v b="$bytes" 'BEGIN {
    printf "  one byte %.4f s (fastest %.4f); cat %.4f s (fastest %.4f)\n", s, sf, c, cf
    printf "  catch_all_floor %.4f s (fastest %.4f), %.1f MB/s (%.1f)\n", fl, ff, b / 1048576 / fl, b / 1048576 / ff }'

echo
echo "batch mode against lumivar-hlx (hlx/c.hlx, output to a new file in both; then batch mode"
echo "replacing a file, which flushes the new content to disk before it takes the old one's place):"
cp "$input" "$work/input.c"
: > "$work/kept.htm"
run_rounds "tool=$hlx $root/hlx/c.hlx $work/input.c" \
    "batch=$bin/lumivar in=$work/input.c out=$work/batch.htm hlx=$root/hlx/c.hlx overwrite=1 showoutput=0" \
    "replacing=$bin/lumivar in=$work/input.c out=$work/kept.htm hlx=$root/hlx/c.hlx overwrite=1 showoutput=0"
awk -v bm="$(field batch 1)" -v bf="$(field batch 2)" -v tm="$(field tool 1)" -v tf="$(field tool 2)" \
    -v bk="$(field batch 3)" -v tk="$(field tool 3)" -v rm="$(field replacing 1)" -v rf="$(field replacing 2)" 'BEGIN {
    printf "  lumivar %.3f s (fastest %.3f), %.1f MB; lumivar-hlx %.3f s (fastest %.3f), %.1f MB\n", bm, bf, bk / 1024, tm, tf, tk / 1024
    printf "  %.2f / %.2f times in time, %.2f times in memory\n", bm / tm, bf / tf, bk / tk
    printf "  replacing a file: %.3f s (fastest %.3f), %.2f / %.2f times lumivar-hlx\n", rm, rf, rm / tm, rf / tf }'

echo
echo "scaling (bench/c_entered.hlx; 100 MB is the input ten times over):"
head -c 1048576 "$input" > "$work/1mb.c"
for ((i = 0; i < 10; i++)); do cat "$input"; done > "$work/100mb.c"
run_rounds "s1=$hlx $root/bench/c_entered.hlx $work/1mb.c" "s10=$hlx $root/bench/c_entered.hlx $input" \
    "s100=$hlx $root/bench/c_entered.hlx $work/100mb.c"
prev=""
for entry in "s1:$work/1mb.c" "s10:$input" "s100:$work/100mb.c"; do
    name=${entry%%:*}
    awk -v mb="$(size_mb "${entry#*:}")" -v m="$(field "$name" 1)" -v f="$(field "$name" 2)" -v kb="$(field "$name" 3)" \
        -v prev="$prev" 'BEGIN {
        printf "  %6.1f MB  median %7.3f s  fastest %7.3f s  %6.1f MB/s  peak %6.1f MB (3 x input + 64: %.0f)", mb, m, f,
            mb / f, kb / 1024, 3 * mb + 64
        if (prev != "") { split(prev, p, " "); printf "  %.2f / %.2f times the size before", m / p[1], f / p[2] }
        print "" }'
    prev="$(field "$name" 1) $(field "$name" 2)"
done
rm -f "$work/100mb.c"
