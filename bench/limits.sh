#!/bin/bash
# The formatter's limits, measured on lumivar-hlx: memory per pattern, memory on a large plain
# text, memory per open section, and how soon Ctrl+C stops a long search. Prints figures; it is
# not a test. Use a Release build:
#
#   bash bench/limits.sh build-release/bin [TEXT]      (TEXT: a large text file for txt.hlx)
#
# RULES="10000 30000" chooses the definition sizes (default 10000 30000 100000); PARTS="cancel"
# runs only some of the parts: rules text nesting runs shapes cancel.
# Peak memory is the maximum resident set size that /usr/bin/time reports.
set -euo pipefail

bin=$(cd "${1:?usage: limits.sh BIN_DIR [TEXT]}" && pwd)
text=${2:-}
tool=$bin/lumivar-hlx
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Peak resident memory in MB and seconds of one run: "MB SECONDS".
measure() {
    /usr/bin/time -f '%M %e' -o "$work/time" "$@" > /dev/null 2>&1 || true
    read -r kib seconds < "$work/time"
    echo "$((kib / 1024)) $seconds"
}

# A definition of N rules of four shapes: words, keyword lists, searched patterns and
# alternatives; then a catch-all.
rules() {
    python3 - "$1" <<'EOF'
import sys
n = int(sys.argv[1])
lines = ["[Main]", "HEADER-HTML=<pre>", "FOOTER-HTML=</pre>"]
for i in range(n):
    pattern = [f"word{i}x", f"\\b(k{i}a|k{i}b)\\b", f"x{i}(?:\\d+|[a-f]+)y", f"(q{i}|r{i})+z"][i % 4]
    lines += [f"PATTERN={pattern}", f"FORMAT-HTML=<b>$$</b>"]
lines += ["PATTERN=[\\s\\S]", "FORMAT-HTML=$$"]
print("\n".join(lines))
EOF
}

wanted() { [[ " ${PARTS:-rules text nesting runs shapes cancel} " == *" $1 "* ]]; }

# A definition of one pattern and a catch-all: DEFINITION_FILE PATTERN.
one_pattern() {
    printf '[S]\nHEADER-HTML=<pre>\nFOOTER-HTML=</pre>\nPATTERN=%s\nFORMAT-HTML=<b>$$</b>\nPATTERN=[\\s\\S]\nFORMAT-HTML=$$\n' \
        "$2" > "$1"
}

if wanted rules; then
echo "== memory per pattern: format of 1 KB against check of the same definition"
python3 -c "print(('word12x k7a x2f3y q3r3z plain text ' * 40)[:1024], end='')" > "$work/small.txt"
for n in ${RULES:-10000 30000 100000}; do
    rules "$n" > "$work/rules.hlx"
    read -r check_mb check_s < <(measure "$tool" check "$work/rules.hlx")
    read -r format_mb format_s < <(measure "$tool" format "$work/rules.hlx" "$work/small.txt")
    echo "$n rules: check ${check_mb} MB ${check_s} s; format ${format_mb} MB ${format_s} s;" \
         "format/check $(awk "BEGIN{printf \"%.1f\", $format_mb/$check_mb}")"
done
fi

if [ -n "$text" ] && wanted text; then
    echo "== hlx/txt.hlx on $(($(stat -c %s "$text") / 1048576)) MB"
    read -r mb seconds < <(measure "$tool" format "$here/../hlx/txt.hlx" "$text")
    bound=$(($(stat -c %s "$text") * 3 / 1048576 + 64))
    echo "peak ${mb} MB, ${seconds} s; bound 3 x input + 64 MB = ${bound} MB"
fi

if wanted nesting; then
echo "== memory per open section: 10 million nested sections"
printf '[P]\nHEADER-HTML={\nFOOTER-HTML=}\nPATTERN=\\(\nENTER=P\nPATTERN=\\)\nRETURN\nPATTERN=[\\s\\S]\nFORMAT-HTML=$$\n' \
    > "$work/nest.hlx"
python3 -c "import sys; d=10_000_000; sys.stdout.write('(' * d + 'x' + ')' * d)" > "$work/nest.txt"
read -r mb seconds < <(measure "$tool" format "$work/nest.hlx" "$work/nest.txt")
echo "peak ${mb} MB, ${seconds} s (the input alone is 3 x 20 MB)"
fi

# Seconds of format for 1 MB and 8 MB: LABEL DEFINITION PYTHON_EXPRESSION_OF_N
runs_case() {
    local times=()
    for mb in 1 8; do
        python3 -c "n = $mb << 20; print($3, end='')" > "$work/run.txt"
        read -r _ seconds < <(measure "$tool" format "$2" "$work/run.txt")
        times+=("$seconds")
    done
    echo "$1: ${times[0]} s and ${times[1]} s"
}

if wanted runs; then
echo "== one long run decided by the units around each position: seconds for 1 MB and 8 MB"
runs_case 'backslashes in a string (\\[\s\S])' "$here/c_entered.hlx" "'\"' + '\\\\' * n + '\"'"
runs_case 'spaces (\s+), one name ([A-Za-z_]\w*)' "$here/c_entered.hlx" "' ' * (n // 2) + 'a' * (n // 2)"
fi

if wanted shapes; then
echo "== patterns a backtracking search tries at every start, on text they do not match: seconds for 1 MB and 8 MB"
shape_case() {  # PATTERN PYTHON_EXPRESSION_OF_N
    one_pattern "$work/shape.hlx" "$1"
    runs_case "$1" "$work/shape.hlx" "$2"
}
shape_case 'x?a*[bc]' "'a' * n"
shape_case '(a|aa)+[cd]' "'a' * n"
shape_case '\s+$' "' ' * n + 'x'"
shape_case '(\w+\s?)*;' "'abcd ' * (n // 5)"
# A lazy repeat or quoted pairs before a lookahead (yaml.hlx's keys), on one long line.
shape_case '[^\s:][^\n:#]*?(?=[ \t]*:(?:[ \t\n]|$))|z' "'a b ' * (n // 4)"
shape_case "'(?:[^'\\n]|'')*'(?=[ \\t]*:(?:[ \\t\\n]|\$))" "\"'\" * n"
# Runs decided by the units around each position, asked at every unit of one long run.
shape_case '-?[a-z][\w-]*' "'-' * n"
shape_case '\b(?:if|else)\b|~' "'~' * n"
fi

wanted cancel || exit 0
echo "== Ctrl+C during a long search: seconds from the interrupt to the exit"
interrupt() {  # DEFINITION INPUT: prints the seconds, the exit status and the output's end
    "$tool" format "$1" "$2" > "$work/out.html" 2> /dev/null &
    local pid=$!
    sleep 1
    local start=$(date +%s.%N)
    if ! kill -INT "$pid" 2> /dev/null; then
        wait "$pid" || true
        echo "finished within 1 s, before the interrupt"
        return
    fi
    local waited=0
    while kill -0 "$pid" 2> /dev/null && [ $waited -lt 600 ]; do sleep 0.05; waited=$((waited + 1)); done
    if kill -0 "$pid" 2> /dev/null; then
        kill -KILL "$pid"
        wait "$pid" || true
        echo "still running 30 s after the interrupt: killed"
        return
    fi
    local status=0
    wait "$pid" || status=$?
    local end=$(date +%s.%N)
    echo "$(awk "BEGIN{printf \"%.2f\", $end-$start}") s, exit $status, output ends \"$(tail -c 12 "$work/out.html")\""
}
python3 -c "print(('a' * 28 + 'b') * 20_000, end='')" > "$work/runs.txt"
for pattern in '(a|aa)+(?=[cd])' '(a|aa)+[cd]'; do  # backtracking for a lookahead; the automata
    one_pattern "$work/backtrack.hlx" "$pattern"
    echo "$pattern over runs of 28 a: $(interrupt "$work/backtrack.hlx" "$work/runs.txt")"
done
