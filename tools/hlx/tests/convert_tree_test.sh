#!/bin/bash
# lumivar-hlx convert over a small tree made here: skipped files and their reasons, the pages and
# indexes (parsed), line anchors (parsed), re-runs, removal, shards, --files-from, bad usage.
# $T is the tool; exits non-zero at the first failed check.
set -u
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
cd "$W" || exit 1
export TAVREL_ACP=65001
fail() { echo "FAILED: $*" >&2; exit 1; }

mkdir -p src/a/b src/.git
printf 'int main() { /* a\n b <c> */\n  return 0; }\n' > src/a/b/x.c
printf 'def f():\n    return "s"\n' > src/a/y.py
printf 'bin\0ary' > src/z.c
echo plain > src/noext
echo x > src/.git/config.c
ln -s .. src/a/b/loop
ln -s nowhere.c src/dangling.c
mkfifo src/fifo.c
if [ "$(id -u)" != 0 ]; then printf 'int x;\n' > src/locked.c && chmod 000 src/locked.c; fi

"$T" convert src --out out --jobs 2 2> err; status=$?
if [ "$(id -u)" != 0 ]; then
  [ $status = 1 ] && grep -q '^failed: src/locked.c: Permission denied' err || fail "unreadable file: status $status"
else
  [ $status = 0 ] || fail "first run: status $status"
fi
for expected in 'src/z.c: binary' 'src/noext: no definition (.hlx)' 'src/a/b/loop: symbolic link to a folder' \
                'src/dangling.c: No such file or directory' 'src/fifo.c: not a regular file'; do
  grep -qF "skipped: $expected" err || fail "no skip line for $expected"
done
grep -q '2 converted, 0 unchanged' err || fail "summary: $(tail -1 err)"
[ -f out/a/b/x.c.html ] && [ -f out/a/y.py.html ] || fail "pages missing"
[ -z "$(find out -name '*.tmp' -o -name 'config.c.html')" ] || fail "temporary or .git output left"

# The indexes: every folder's links, languages and sizes.
python3 - out <<'PY' || fail "indexes"
import html.parser, os, sys
class Rows(html.parser.HTMLParser):  # per link: href, its text, then the text of each span after it
    def __init__(self):
        super().__init__(); self.rows = []; self.cell = False
    def handle_starttag(self, tag, attrs):
        if tag == "a": self.rows.append([dict(attrs)["href"], ""])
        if tag == "span" and self.rows: self.rows[-1].append("")
        self.cell = tag in ("a", "span") and bool(self.rows)
    def handle_endtag(self, tag):
        self.cell = False
    def handle_data(self, data):
        if self.cell: self.rows[-1][-1] += data
def rows(path):
    p = Rows(); p.feed(open(path, encoding="utf-8").read()); return p.rows
out = sys.argv[1]
want = {"index.html": [["a/index.html", "a/", "folder"]],
        "a/index.html": [["../index.html", "../"], ["b/index.html", "b/", "folder"],
                         ["y.py.html", "y.py", "py", str(os.path.getsize("src/a/y.py"))]],
        "a/b/index.html": [["../index.html", "../"], ["x.c.html", "x.c", "c", str(os.path.getsize("src/a/b/x.c"))]]}
for page, expected in want.items():
    got = rows(os.path.join(out, page))
    assert got == expected, (page, got)
    assert "prefers-color-scheme:dark" in open(os.path.join(out, page)).read()
    for r in got: assert os.path.exists(os.path.join(out, os.path.dirname(page), r[0])), r
PY

# Line anchors: one anchor per source line, numbered from 1, and each line well-formed alone.
"$T" convert src/a/b/x.c --out anchored --line-anchors 2>/dev/null
python3 - anchored/src/a/b/x.c.html src/a/b/x.c <<'PY' || fail "line anchors"
import html.parser, re, sys
page = open(sys.argv[1], encoding="utf-8").read()
code = page[page.index("<pre"):page.index("</pre>")]
code = code[code.index(">") + 1:]
lines = code.split("\n")
if lines[-1] == "": lines.pop()
assert len(lines) == open(sys.argv[2]).read().count("\n"), len(lines)
class Balance(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(); self.stack = []; self.ids = []
    def handle_starttag(self, tag, attrs):
        self.stack.append(tag)
        if tag == "a" and ("class", "ln") in attrs: self.ids.append(dict(attrs)["id"])
    def handle_endtag(self, tag):
        assert self.stack and self.stack.pop() == tag, tag
for n, line in enumerate(lines, 1):
    b = Balance(); b.feed(line); b.close()
    assert b.stack == [] and b.ids == ["L%d" % n], (n, line, b.stack, b.ids)
assert "user-select:none" in page and "counter(ln)" in page
PY

# Re-runs: nothing changed, then one file changed, one gone.
"$T" convert src --out out 2> err
grep -q '0 converted, 2 unchanged' err || fail "no-change re-run: $(tail -1 err)"
printf '\n# more\n' >> src/a/y.py
rm src/a/b/x.c
"$T" convert src --out out 2> err
grep -q '1 converted, 0 unchanged, .* 1 removed' err || fail "changed re-run: $(tail -1 err)"
[ ! -e out/a/b ] || fail "the folder of the removed page is still there"
"$T" convert src --out out --force 2> err
grep -q '1 converted, 0 unchanged' err || fail "--force: $(tail -1 err)"

# Odd names (a space, %, # and a tab) round-trip through the manifest and the index links; an
# output folder inside the source is not walked.
mkdir odd && printf 'x = 1\n' > "odd/a b%20#"$'\t'"c.py"
"$T" convert odd --out odd/html 2>/dev/null && "$T" convert odd --out odd/html 2> err
grep -q '0 converted, 1 unchanged, 0 skipped' err || fail "odd names re-run: $(tail -1 err)"
python3 - odd/html <<'PY' || fail "odd names in the index"
import os, re, sys, urllib.parse
page = open(os.path.join(sys.argv[1], "index.html"), encoding="utf-8").read()
hrefs = re.findall(r'<a href="([^"]*)">', page)
assert len(hrefs) == 1 and os.path.isfile(os.path.join(sys.argv[1], urllib.parse.unquote(hrefs[0]))), hrefs
PY

# Shards: the union of 3 shards is the whole list, without overlap; then the indexes.
mkdir -p many/d1/d2
folders=(many many/d1 many/d1/d2)
for i in $(seq 1 30); do echo "int v$i;" > "${folders[i % 3]}/f$i.c"; done
for i in 1 2 3; do "$T" convert many --out sharded --shard $i/3 2>/dev/null || fail "shard $i"; done
[ ! -e sharded/index.html ] || fail "a shard wrote indexes"
all=$(cd many && find . -name '*.c' | sed 's|^\./||' | sort)
listed=$(cat sharded/.lumivar-manifest-*-of-3 | grep -v '^lumivar' | cut -f1 | sort)
[ "$all" = "$listed" ] || fail "shards do not cover the tree once: $listed"
for i in 1 2 3; do [ "$(grep -vc '^lumivar' sharded/.lumivar-manifest-$i-of-3)" -gt 0 ] || fail "shard $i empty"; done
"$T" convert --index-only sharded || fail "--index-only"
[ "$(grep -c 'href="f' sharded/index.html)" = "$(ls many/*.c | wc -l)" ] || fail "root index of the shards"

# --files-from: NUL-separated, with a file that is not there.
printf 'src/a/y.py\0gone.c\0' | "$T" convert --files-from - --out listed 2> err
[ -f listed/src/a/y.py.html ] && grep -q '^skipped: gone.c: No such file' err || fail "--files-from: $(cat err)"

# Where the extension has no definition, the file name or the first line chooses one.
mkdir -p chosen && printf '#!/usr/bin/env python3\nprint(1)\n' > chosen/tool && printf 'all:\n' > chosen/Makefile
echo plain > chosen/README
"$T" convert chosen --out chosen-out 2> err || fail "chosen: $(cat err)"
grep -q '^skipped: chosen/README: no definition (.hlx)' err && grep -q '2 converted' err &&
  grep -qP '^tool\t.*\tpy$' chosen-out/.lumivar-manifest && grep -qP '^Makefile\t.*\tmakefile$' chosen-out/.lumivar-manifest ||
  fail "chosen: $(cat err chosen-out/.lumivar-manifest)"

# Ctrl+C while a large file is formatted: status 130, no page and no temporary file left.
mkdir big && yes 'int x = 1; /* a comment */ char *s = "text";' | head -c 30000000 > big/large.c
"$T" convert big --out stopped --jobs 1 2> err & pid=$!
until [ -n "$(find stopped -name '*.tmp' 2>/dev/null)" ] || ! kill -0 $pid 2>/dev/null; do sleep 0.05; done
kill -INT $pid; wait $pid; status=$?
[ $status = 130 ] || fail "Ctrl+C: status $status: $(cat err)"
[ -z "$(find stopped -name '*.tmp' -o -name 'large.c.html')" ] || fail "Ctrl+C left $(find stopped)"

# Bad command lines.
for args in "convert" "convert src" "convert src --out o --shard 4/3" "convert src --out o --jobs 0" "convert src --out o --bogus"; do
  "$T" $args 2>/dev/null; [ $? = 2 ] || fail "usage: $args"
done
echo ok

