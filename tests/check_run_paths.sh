#!/bin/sh
# check_run_paths.sh DIR...: every program and library in the folders finds its libraries through
# $ORIGIN only; an empty entry of a run path would be the current folder, an absolute one a
# folder of the machine it was built on.
status=0
for dir in "$@"; do
    for file in "$dir"/*; do
        [ -f "$file" ] && head -c 4 "$file" | grep -q ELF || continue
        paths=$(readelf -d "$file" | sed -n 's/.*(R[UN]*PATH).*\[\(.*\)\]$/\1/p')
        [ -n "$paths" ] || continue
        if echo "$paths" | tr ':' '\n' | grep -qv '^\$ORIGIN'; then
            echo "$file: run path \"$paths\""
            status=1
        fi
    done
done
exit $status
