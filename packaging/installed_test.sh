#!/usr/bin/env bash
# Installs the build into a fresh prefix, or unpacks the Debian package's /usr there, and runs
# the installed programs with registry stores that start empty: the first start registers the
# modules beside the program. The prefix is then moved, so the stored module paths are gone and
# must be registered again from the new place.
# Usage: installed_test.sh BUILD_DIR CMAKE GOLDEN_PAGE VERSION [PACKAGE.deb]
set -euo pipefail
build=$1 cmake=$2 golden=$3 version=$4 package=${5:-}
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
if [ -n "$package" ]; then
  dpkg-deb -x "$package" "$T/root"
  mv "$T/root/usr" "$T/a"
else
  "$cmake" --install "$build" --prefix "$T/a" >/dev/null
fi

export HOME=$T/home XDG_CONFIG_HOME=$T/home/.config TAVREL_ACP=65001
unset TAVREL_REGISTRY
mkdir -p "$HOME"
lib=$T/a/lib/lumivar
"$T/a/bin/lumivar" in="$lib/Examples/asp-ex1.asp" out="$T/first.htm" showoutput=0 </dev/null
diff -u "$golden" "$T/first.htm"
[ -s "$XDG_CONFIG_HOME/tavrel/registry.db" ]

# Each program names itself with the project's version and has its manual page.
for program in lumivar lumivar-hlx tavrel-regsvr; do
  printed=$("$T/a/bin/$program" --version) || true
  [ "$printed" = "$program $version" ] || { echo "$program --version printed '$printed'" >&2; exit 1; }
  [ -s "$T/a/share/man/man1/$program.1.gz" ] || { echo "no manual page for $program" >&2; exit 1; }
done

mv "$T/a" "$T/b"
lib=$T/b/lib/lumivar
# Every library resolves inside the prefix, none from the build.
for f in "$lib"/*; do
  [ -f "$f" ] || continue
  if ldd "$f" | grep -F -e "not found" -e "$build"; then echo "$f: library outside the prefix" >&2; exit 1; fi
done
"$T/b/bin/lumivar" in="$lib/Examples/asp-ex1.asp" out="$T/moved.htm" showoutput=0 </dev/null
diff -u "$golden" "$T/moved.htm"

# lumivar-hlx on a store of its own; h.hlx is an extension link to c.hlx.
export TAVREL_REGISTRY=$T/hlx.db
"$T/b/bin/lumivar-hlx" format "$lib/hlx/h.hlx" "$lib/Examples/hello.c" > "$T/hello.htm"
grep -q '<span class="k">' "$T/hello.htm"
