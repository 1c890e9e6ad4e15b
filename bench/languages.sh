#!/usr/bin/env bash
# Every shipped definition on real files of its language and on short units repeated: wall time
# of the whole process `lumivar-hlx format DEF FILE > /dev/null`, next to KDE's
# kate-syntax-highlighter on the same file.
#
#   bash bench/languages.sh [--bin DIR] [--runs N] [--kate-runs N] [--timeout S] [--langs a,b,...]
#                           [--only real|units] [--corpus DIR]
#
# For each definition (hlx/*.hlx that are files, not links) it prints one row of a Markdown table:
# - real files: a corpus of 4 MiB of the language's source files from Debian packages
#   (concatenated; cut at a line end; a language with less than 4 MiB installed has its files
#   repeated), its MB/s, KDE's time on it and ours against it, and the time on the first 1, 2 and
#   4 MiB with the ratio 4 MiB / 1 MiB;
# - units: a short unit (`/*x*/ab\n` where the definition has block comments, else `"x"ab\n`)
#   and a unit that enters and leaves each section (bench/section_units.py), each repeated to
#   1, 2 and 4 MB, or to 100, 200 and 400 KB when 200 KB takes 0.1 s more than a one-byte
#   input, with the ratio 4x / 1x.
# Each figure is the median of RUNS runs (3; a run over 2 s is not repeated). The first run is cut
# at the timeout (30 s): "timeout" then, and the larger sizes are not tried; the runs after it go
# without the wrapper, whose own start would count. KDE runs KATE_RUNS
# times (1) on the 4 MiB file only; "n/a" where KDE has no such syntax or there is no corpus.
# The corpora and their manifest (language, package, file, bytes) are kept in DIR
# (/tmp/lumivar-corpus) and reused. Installs, as root, KDE's highlighter and the packages below
# whose files a corpus needs; the project's build does not need them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/common.sh"
bin=$root/build-release/bin runs=3 kate_runs=1 limit=30 langs="" only="" corpus=/tmp/lumivar-corpus
while [ $# -gt 0 ]; do
    case $1 in
        --bin) bin=$2 ;; --runs) runs=$2 ;; --kate-runs) kate_runs=$2 ;; --timeout) limit=$2 ;;
        --langs) langs=,$2, ;; --only) only=$2 ;; --corpus) corpus=$2 ;;
        *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
    esac
    shift 2
done
bin=$(cd "$bin" && pwd)
mkdir -p "$corpus"
corpus=$(cd "$corpus" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=${HOME:-$work}
unset DISPLAY WAYLAND_DISPLAY

# definition | KDE's syntax name | packages to install | where its files are: ROOT:GLOB,GLOB ...
# (zip:ARCHIVE:MEMBERS[:GLOBS] and tar:ARCHIVE:MEMBERS[:GLOBS] take files out of an archive a
# package installs: the members whose path starts with MEMBERS, those named by GLOBS if given).
LANGUAGES='
adb|Ada|gnat-12|/usr/lib/gcc:*.adb,*.ads
apache|Apache Configuration|apache2|/etc/apache2:*.conf
asp|HTML||/usr/share/doc:*.html,*.htm,*.asp
awk|AWK||/usr:*.awk
bat|MS-DOS Batch||/usr:*.bat,*.cmd
c|C||/usr/share:*.c /usr/include:*.h
clj|Clojure|libclojure-java|zip:/usr/share/java/clojure-1.*.jar:clojure/:*.clj,*.cljc
cmake|CMake|cmake-data|/usr/share:*.cmake,CMakeLists.txt
cpp|C++|googletest|/usr/src/googletest:*.cc,*.h /usr/include:*.hpp,*.hh,*.cc,*.tcc
cs|C#|gtk-sharp3-examples|/usr/share/gtk-sharp3-examples:*.cs
css|CSS||/usr/share:*.css
d|D|libgphobos-12-dev|/usr/lib/gcc:*.d,*.di
diff|Diff|glibc-source|/usr/src/glibc/debian:*.diff,*.patch
dtd|DTD|docbook-xml|/usr/share/xml:*.dtd,*.mod,*.ent
el|Common Lisp||/usr/share/emacs:*.el
erl|Erlang|erlang-src|/usr/lib/erlang/lib:*.erl,*.hrl
f90|Fortran (Free Format)||/usr/lib/gcc:*.f90 /usr/share:*.f90
fish|Fish|fish-common|/usr/share/fish:*.fish
go|Go|golang-golang-x-text-dev|/usr/share/doc/git:*.go /usr/share/gocode:*.go
hs|Haskell|hugs|/usr/lib/hugs:*.hs
ini|INI Files||/usr:*.ini,*.cfg,*.desktop,*.service,*.properties,*.inf,*.reg
java|Java|openjdk-17-source|zip:/usr/lib/jvm/openjdk-17/lib/src.zip:java.base/java/
js|JavaScript||/usr/share/javascript:*.js /usr/share/nodejs:*.js
json|JSON||/usr/share:*.json
kt|Kotlin||
lua|Lua|lua-penlight lua-inspect|/usr/share/lua:*.lua
m|Octave|octave-common|/usr/share/octave:*.m
makefile|Makefile||/usr:Makefile,makefile,GNUmakefile,*.mk,*.mak
md|Markdown||/usr:*.md,*.markdown
ml|Objective Caml|ocaml-source|tar:/usr/src/ocaml-source-*.tar!*/ocaml_*.orig.tar.*:*/stdlib/:*.ml,*.mli
nginx||nginx-common|/etc/nginx:*
nim|Nim|nim|/usr/lib/nim:*.nim
pas|Pascal||/usr:*.pas,*.pp,*.dpr,*.lpr
pc|||/usr/lib/x86_64-linux-gnu/pkgconfig:*.pc /usr/share/pkgconfig:*.pc
php|PHP (HTML)|php-phpseclib php-phpseclib3|/usr/share/php:*.php
pl|Perl||/usr/share/perl:*.pm,*.pl /usr/share/perl5:*.pm,*.pl
po|GNU Gettext|glibc-source|/usr/src/glibc/debian/po:*.po
proto|Protobuf|libprotobuf-dev|/usr/include:*.proto
ps|PostScript||/usr/share:*.ps,*.eps
ps1|PowerShell||/usr:*.ps1,*.psm1,*.psd1
py|Python||/usr/lib/python3.11:*.py
r|R Script||/usr/share:*.R,*.r
rb|Ruby|libruby3.1|/usr/lib/ruby:*.rb
roff|Roff|groff-base|/usr/share/groff:*.tmac
rs|Rust|librust-syn-dev librust-regex-syntax-dev|/usr/share/cargo/registry:*.rs
rst|reStructuredText||/usr/share/doc:*.rst /usr/lib/python3:*.rst
s|GNU Assembler|glibc-source|tar:/usr/src/glibc/glibc-*.tar.xz:glibc-*/sysdeps/*.S
scm|Scheme|slib|/usr/share/slib:*.scm
scss|SCSS|node-bootstrap|/usr/share:*.scss
sed|sed|glibc-source|/usr:*.sed tar:/usr/src/glibc/glibc-*.tar.xz:glibc-*/*.sed
sh|Bash||/usr:*.sh,*.bash /usr/share/bash-completion/completions:*
sql|SQL||/usr/share:*.sql
swift|Swift||
tcl|Tcl/Tk|libtk8.6|/usr/share/tcltk:*.tcl
tex|LaTeX|sphinx-common|/usr/share:*.sty,*.cls,*.tex,*.ltx
toml|TOML|librust-clap-dev|/usr/share/cargo/registry:*.toml
ts|TypeScript|node-typescript|/usr/share/nodejs/typescript:*.ts
txt|||/usr/share/doc:*.txt
v|Verilog|yosys|/usr/share/yosys:*.v
vala|Vala|valac-0.56-vapi|/usr/share:*.vapi,*.vala
vb|||
vhdl|VHDL|ghdl-common|/usr/lib/ghdl:*.vhdl,*.vhd
vim|||/usr/share/vim:*.vim
xml|XML||/usr/share:*.xml
yaml|YAML||/usr:*.yaml,*.yml'
big=4194304
least=16384  # less distinct text than this is no corpus

wanted() { [ -z "$langs" ] || [[ $langs == *",$1,"* ]]; }

# candidates SOURCES...: the files each ROOT:GLOBS names, sorted within a root; minified
# JavaScript and CSS left out (one line of a whole library is not what people read), and the
# trees of packages from outside Debian that this machine has
candidates() {
    local entry dir
    for entry in "$@"; do
        if [[ $entry == zip:* || $entry == tar:* ]]; then archive_members "$entry"; continue; fi
        dir=${entry%%:*}
        [ -d "$dir" ] || continue
        name_tests "${entry#*:}"
        find "$dir" -type f \( "${tests[@]}" \) 2>/dev/null | sort
    done | grep -v -E '\.min\.(js|css)$|^/usr/lib/(google-cloud-sdk|jvm/temurin|node_modules)/' || true
}
name_tests() {  # name_tests GLOB,GLOB...: sets tests to find's "-name GLOB -o -name GLOB ..."
    local g pattern
    IFS=, read -ra pattern <<< "$1"
    tests=()
    for g in "${pattern[@]}"; do tests+=(-o -name "$g"); done
    tests=("${tests[@]:1}")
}

# archive_members zip|tar:ARCHIVE:MEMBERS[:GLOBS]: unpacks the members whose path starts with
# MEMBERS (wildcards allowed; ARCHIVE may be a wildcard too, or OUTER!INNER for an archive inside
# a tar archive) under the corpus folder and prints those that GLOBS name (all without GLOBS) as
# ARCHIVE!UNPACKED_FILE, ARCHIVE being the file a package installs
archive_members() {
    local kind=${1%%:*} rest=${1#*:} archive owner members globs dest
    archive=$(compgen -G "${rest%%[:!]*}" | head -n 1) || return 0
    owner=$archive
    if [[ ${rest%%:*} == *!* ]]; then
        rest=${rest#*!}
        unpack tar "$archive" "${rest%%:*}"
        archive=$(compgen -G "$dest/${rest%%:*}" | head -n 1) || return 0
    fi
    rest=${rest#*:} members=${rest%%:*} globs=${rest#"$members"}
    unpack "$kind" "$archive" "$members"
    tests=(-true)
    [ -z "$globs" ] || name_tests "${globs#:}"
    find "$dest" -type f -path "$dest/$members*" \( "${tests[@]}" \) 2>/dev/null | sort | sed "s|^|$owner!|"
}
unpack() {  # unpack zip|tar ARCHIVE MEMBERS: sets dest, the folder that ARCHIVE's members go to
    dest=$corpus/unpacked/${2##*/}
    mkdir -p "$dest"
    if [ "$1" = zip ]; then unzip -qo "$2" "$3*" -d "$dest" >/dev/null 2>&1 || true
    else tar -xf "$2" -C "$dest" --wildcards "$3*" 2>/dev/null || true; fi
}
member_name() {  # member_name ARCHIVE!UNPACKED_FILE: ARCHIVE!MEMBER
    local member=${1#*!"$corpus"/unpacked/}
    echo "${1%%!*}!${member#*/}"
}

# owned: reads paths (ARCHIVE!MEMBER for archive members), prints "PACKAGE<TAB>PATH" for those a
# package installs (dpkg -S, 200 paths a call; on this merged /usr a file may be known by its name
# without /usr)
owned() {
    local batch=() path
    while IFS= read -r path; do
        batch+=("$path")
        [ "${#batch[@]}" -lt 200 ] || { owned_batch "${batch[@]}"; batch=(); }
    done
    [ "${#batch[@]}" = 0 ] || owned_batch "${batch[@]}"
}
owned_batch() {
    local -A pkg=()
    local path line
    while IFS= read -r line; do
        [[ $line == diversion* ]] || pkg[${line#*: }]=${line%%: *}
    done < <(dpkg -S "${@%%!*}" "${@#/usr}" 2>/dev/null || true)
    for path in "$@"; do
        line=${pkg[${path%%!*}]:-${pkg[${path#/usr}]:-}}
        [ -z "$line" ] || printf '%s\t%s\n' "$line" "$path"
    done
}

# build_corpus LANG PACKAGES SOURCES: writes LANG.txt (4 MiB) and LANG.files ("PACKAGE<TAB>PATH<TAB>BYTES")
build_corpus() {
    local lang=$1 packages=$2 total=0 pkg path file bytes
    shift 2
    [ -s "$corpus/$lang.txt" ] && return
    # shellcheck disable=SC2086
    if [ -n "$packages" ] && ! dpkg -s $packages >/dev/null 2>&1 && [ "$(id -u)" = 0 ]; then
        echo "installing $packages for $lang" >&2
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $packages >/dev/null 2>&1 || echo "  failed" >&2
    fi
    : > "$corpus/$lang.files"
    while IFS=$'\t' read -r pkg path; do
        file=$path
        [[ $path == *!* ]] && file=${path#*!} path=$(member_name "$path")
        bytes=$(stat -c %s "$file")
        printf '%s\t%s\t%s\n' "$pkg" "$path" "$bytes" >> "$corpus/$lang.files"
        cat "$file" >> "$work/$lang.all"
        echo >> "$work/$lang.all"
        total=$((total + bytes))
        [ "$total" -lt "$big" ] || break
    done < <(candidates "$@" | owned)
    if [ "$total" -lt "$least" ]; then rm -f "$corpus/$lang.files" "$work/$lang.all"; return; fi
    while [ "$(stat -c %s "$work/$lang.all")" -lt "$big" ]; do cat "$work/$lang.all" "$work/$lang.all" > "$work/x"; mv "$work/x" "$work/$lang.all"; done
    cut_at_line "$big" "$work/$lang.all" "$corpus/$lang.txt"
    rm -f "$work/$lang.all"
}

cut_at_line() { head -c "$1" "$2" | LC_ALL=C sed '$d' > "$3"; }  # cut_at_line BYTES IN OUT

# timed RUNS COMMAND...: median wall seconds of up to RUNS runs, "timeout" or "error"
timed() {
    local n=$1 start end rc times=()
    shift
    for ((i = 0; i < n; i++)); do
        start=${EPOCHREALTIME/[.,]/}
        rc=0
        # Only the first run goes under timeout: the wrapper's own start costs milliseconds.
        if [ "$i" = 0 ]; then
            timeout "$limit" "$@" > /dev/null 2> "$work/err" || rc=$?
        else
            "$@" > /dev/null 2> "$work/err" || rc=$?
        fi
        end=${EPOCHREALTIME/[.,]/}
        if [ "$rc" = 124 ]; then echo timeout; return; fi
        if [ "$rc" != 0 ]; then echo error; sed 's/^/  /' "$work/err" >&2; return; fi
        times+=($((end - start)))
        [ $((end - start)) -lt 2000000 ] || break
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e6 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else printf "-" }'; }
format() { timed "$1" "$bin/lumivar-hlx" format "$root/hlx/$2.hlx" "$3"; }

# scaling DEF FILE1 FILE2 FILE4: "T1 / T2 / T4 | T4/T1"; after a timeout the larger sizes are not run
scaling() {
    local def=$1 t out=() cut=""
    shift
    for f in "$@"; do
        if [ -n "$cut" ]; then out+=(timeout); continue; fi
        t=$(format "$runs" "$def" "$f")
        [ "$t" != timeout ] || cut=1
        out+=("$t")
    done
    echo "${out[0]} / ${out[1]} / ${out[2]} | $(ratio "${out[2]}" "${out[0]}")"
}

real_row() {  # real_row DEF KDE_SYNTAX
    local def=$1 syntax=$2 f=$corpus/$1.txt t4 kde
    if [ ! -s "$f" ]; then echo "n/a | n/a | n/a | n/a"; return; fi
    cut_at_line 1048576 "$f" "$work/r1"
    cut_at_line 2097152 "$f" "$work/r2"
    local s; s=$(scaling "$def" "$work/r1" "$work/r2" "$f")
    t4=$(echo "$s" | awk -F' / | \\| ' '{ print $3 }')
    kde=n/a
    if [ -n "$syntax" ] && grep -qxF "$syntax" "$work/kde-syntaxes"; then
        kde=$(timed "$kate_runs" kate-syntax-highlighter -s "$syntax" -f html "$f")
    fi
    echo "$(awk -v t="$t4" -v b="$(stat -c %s "$f")" 'BEGIN { if (t + 0 > 0) printf "%.1f", b / 1048576 / t; else printf "-" }') | $kde | $(ratio "$kde" "$t4") | $s"
}

# unit_row DEF UNIT: "BASE: T1 / T2 / T4 | T4/T1" for the unit repeated to BASE, 2 BASE, 4 BASE
unit_row() {
    local def=$1 unit=$2 base=1048576 label="1 MB" probe
    repeat_to 204800 "$unit" "$work/u"
    probe=$(format 1 "$def" "$work/u")
    if [ "$probe" = timeout ] || [ "$probe" = error ] || awk -v p="$probe" -v s="$startup" 'BEGIN { exit !(p > s + 0.1) }'; then
        base=102400 label="100 KB"
    fi
    repeat_to "$base" "$unit" "$work/u1"
    repeat_to $((2 * base)) "$unit" "$work/u2"
    repeat_to $((4 * base)) "$unit" "$work/u4"
    echo "$label: $(scaling "$def" "$work/u1" "$work/u2" "$work/u4")"
}
repeat_to() {  # repeat_to BYTES UNIT FILE
    printf '%s' "$2" > "$3"
    while [ "$(stat -c %s "$3")" -lt "$1" ]; do cat "$3" "$3" > "$3.x"; mv "$3.x" "$3"; done
    truncate -s "$1" "$3"
}
show() {  # show TEXT: TEXT as a Markdown code span, its line ends as \n
    printf '%s' "$1" | awk 'BEGIN { RS = "\0" } { gsub(/\n/, "\\n"); gsub(/\|/, "\\|")
        if (index($0, "`")) printf "`` %s ``", $0; else printf "`%s`", $0 }'
}

need kate-syntax-highlighter libkf5syntaxhighlighting-tools
need unzip unzip
kate-syntax-highlighter --list > "$work/kde-syntaxes"
printf x > "$work/one"
startup=$(timed 3 "$bin/lumivar-hlx" format "$root/hlx/txt.hlx" "$work/one")
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(uname -r); $(date -u '+%Y-%m-%d %H:%M') UTC"
echo "lumivar-hlx: $bin; $runs runs (a run over 2 s once), KDE $kate_runs, the first run of each cut at $limit s; a one-byte conversion $startup s; corpora in $corpus"
echo
if [ "$only" != units ]; then
    printf '| definition | KDE syntax | MB/s (4 MiB) | KDE (s) | x KDE | 1 / 2 / 4 MiB (s) | 4 / 1 |\n|---|---|---|---|---|---|---|\n'
    while IFS='|' read -r def syntax packages sources; do
        [ -n "$def" ] && wanted "$def" || continue
        # shellcheck disable=SC2086
        build_corpus "$def" "$packages" $sources
        echo "| $def | ${syntax:-n/a} | $(real_row "$def" "$syntax") |"
    done <<< "$LANGUAGES"
    echo
fi
if [ "$only" != real ]; then
    printf '| definition | short unit | sizes: 1x / 2x / 4x (s) | 4x / 1x | sections unit | sizes: 1x / 2x / 4x (s) | 4x / 1x |\n|---|---|---|---|---|---|---|\n'
    while IFS='|' read -r def _; do
        [ -n "$def" ] && wanted "$def" || continue
        short='"x"ab
'
        grep -q '^PATTERN=/\\\*' "$root/hlx/$def.hlx" && short='/*x*/ab
'
        sections=$("$bin/lumivar-hlx" dump "$root/hlx/$def.hlx" | python3 "$root/bench/section_units.py"; echo .)
        sections=${sections%.}
        row="| $def | $(show "$short") | $(unit_row "$def" "$short") | "
        if [ "$sections" = 'ab
' ]; then row+="(no sections) | | |"; else row+="$(show "$sections") | $(unit_row "$def" "$sections") |"; fi
        echo "$row"
    done <<< "$LANGUAGES"
fi
{
    printf 'language\tpackage\tfile (ARCHIVE!MEMBER for a member of an archive)\tbytes\n'
    for f in "$corpus"/*.files; do [ -e "$f" ] && sed "s|^|$(basename "$f" .files)\t|" "$f"; done
} > "$corpus/manifest.tsv"
echo
echo "manifest of the corpora: $corpus/manifest.tsv (a corpus under 4 MiB of files is its files repeated)"
