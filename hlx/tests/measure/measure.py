#!/usr/bin/env python3
"""The shipped definitions measured against Pygments on real files.

    python3 measure.py LUMIVAR_HLX [--table-only] [LANGUAGE ...]
    python3 measure.py LUMIVAR_HLX --diff FILE     # the lines of corpus/FILE where the two differ

Formats every file of corpus/ (named LANGUAGE.NAME.EXT; LANGUAGE is the definition hlx/LANGUAGE.hlx)
with `lumivar-hlx format`, checks that the text comes back exactly (tags left out, entities
decoded), lexes the same text with Pygments, and compares both, character by character (spaces
and line ends left out), in coarse classes: comment, string, number, keyword, other. Prints a
table of precision and recall per language and class, and fails (exit 1) when a file's text does
not come back, when a limit below is not reached, or when a language stays under a floor of
floors.tsv. Characters that a pattern of disagreements.tsv (where Pygments is wrong) matches in
the files it names are not counted.
"""
import fnmatch
import os
import re
import subprocess
import sys
from collections import defaultdict

import pygments
from pygments import lexers
from pygments.token import Comment, Keyword, Name, Number, String, Literal

HERE = os.path.dirname(os.path.abspath(__file__))
HLX = os.path.normpath(os.path.join(HERE, "..", ".."))
CORPUS = os.path.join(HERE, "corpus")
CLASSES = ("comment", "string", "number", "keyword")

# The one place where the two sides meet in coarse classes.
# Lumivar: the CSS classes of hlx/tests/look.txt. A character takes the class of the innermost span
# that has one here (an escape "e" inside a string is string, alone it is other).
LUMIVAR_CLASSES = {
    "c": "comment",
    "s": "string", "r": "string",       # regular-expression literals are strings to Pygments
    "n": "number",
    "k": "keyword",
    "b": "keyword",                     # true, None, nil: Pygments' Keyword.Constant
    "t": "keyword",                     # int, void: Pygments' Keyword.Type
    "v": "other",                       # variables, also "$x" and "#{x}" inside strings
    "p": "other", "h": "other", "hd": "other", "tg": "other", "at": "other", "ad": "other", "dl": "other",
    # e, en (escapes, entities) and sc (a script block) take the class of the span around them
}
# Per language, before the table above.
# None: the class of the span around (Pygments' Perl and PowerShell lexers keep "$x" inside a
# string as part of the string).
LUMIVAR_CLASSES_OF = {
    "md": {"r": "other"},               # link targets: Pygments' Name.Attribute
    "pl": {"v": None},
    "ps1": {"v": None},
    "cmake": {"v": None},
}
# Pygments: the first token type here that the token's type is in (or equal to) gives the class.
PYGMENTS_CLASSES = [
    (Comment.Preproc, "other"),         # "#include": Lumivar's directive class p
    (Comment.PreprocFile, "string"),    # <stdio.h>
    (Comment, "comment"),
    (String.Affix, "other"),            # the b of b"..." is a prefix, not text
    (String.Interpol, "other"),         # the code in "${...}" and "#{...}"
    (String, "string"),
    (Number, "number"),
    (Literal.Date, "number"),
    (Keyword.Namespace, "keyword"),
    (Keyword, "keyword"),
    (Name.Builtin.Pseudo, "other"),     # self, this
    (Name.Builtin, "keyword"),          # len, print, url(: Lumivar's builtin class
]
# Per language, before the list above: where a language's Pygments lexer names a thing otherwise.
PYGMENTS_CLASSES_OF = {
    "php": [(String.Doc, "comment")],   # /** ... */ doc blocks are comments to PHP
    "pl": [(Comment.Preproc, "comment")],   # the text after __END__, POD included
    "rb": [(String.Symbol, "keyword")],     # :name, Lumivar's builtin class as for true and nil
    # CSS: property names are Keyword (Lumivar's attribute class), units Keyword.Type (part of a
    # number to Lumivar), value keywords Keyword.Constant
    "css": [(Keyword.Type, "number"), (Keyword.Constant, "keyword"), (Keyword, "other")],
    "sql": [(String.Symbol, "other")],      # "name" is a quoted identifier
    "py": [(String.Interpol, "string")],    # the placeholders {} and %s are text of the string
    # CMake: unquoted arguments are String to it, quoted ones String.Double
    "cmake": [(String.Double, "string"), (String, "other")],
    "el": [(String.Symbol, "other")],       # 'name is a quoted symbol, not text
    "rst": [(Comment.Preproc, "comment")],  # ".. text" comments
    "tex": [(Name.Builtin, "other")],       # the braces { }
    # gettext: "#:" references and "#," flags are comments to it; header fields "Name:" text of the string
    "po": [(Keyword.Declaration, "comment"), (Keyword.Type, "comment"), (Name.Property, "string")],
    # roff: the arguments of a request are String to it, quoted ones String.Double
    "roff": [(String.Double, "string"), (String, "other")],
    "ps": [(Comment.Preproc, "comment")],   # the %!PS first line
    "toml": [(Keyword.Constant, "keyword"), (Keyword, "other")],  # [table] headers are Keyword
    "erl": [(String.Interpol, "string")],
    "clj": [(String.Symbol, "keyword")],    # :name and 'name, Lumivar's builtin class as for Ruby's :name
    "scm": [(String.Symbol, "keyword")],    # 'name, as for Clojure
    # Nim: "##" documentation comments are String.Doc to it, pragmas {. .} String.Other, "$1" String.Interpol
    "nim": [(String.Doc, "comment"), (String.Other, "other"), (String.Interpol, "string")],
    # nginx: every argument word is String to it, quoted or not (see disagreements.tsv); on and off
    # are Name.Constant (Lumivar's builtin class)
    "nginx": [(String, "other"), (Name.Constant, "keyword")],
    # Apache: paths are String.Other to it (text to Lumivar), directives Name.Builtin
    "apache": [(String.Other, "other")],   # the directives ~p ~n of a format string are its text
}
# Where a definition's language is not the one Pygments would pick from the extension.
PYGMENTS_LEXERS = {
    "adb": "ada", "asp": "html", "bat": "batch", "cs": "csharp", "diff": "diff", "el": "emacs-lisp",
    "f90": "fortran", "js": "javascript", "kt": "kotlin", "makefile": "make", "md": "markdown",
    "pas": "delphi", "pc": "pkgconfig", "php": "html+php", "pl": "perl", "po": "pot", "ps": "postscript",
    "ps1": "powershell", "py": "python3", "r": "splus", "rb": "ruby", "roff": "groff", "rs": "rust",
    "s": "gas", "sh": "bash", "tex": "latex", "ts": "typescript", "vb": "vbnet",
    "clj": "clojure", "erl": "erlang", "hs": "haskell", "ml": "ocaml", "proto": "protobuf", "scm": "scheme",
    "v": "verilog", "m": "octave",
}
# Overall limits; each language must reach PER_LANGUAGE in comments and strings where it has them.
OVERALL = {"comment": 99.0, "string": 97.0}
PER_LANGUAGE = 95.0


def pygments_class(language, tokentype):
    for parent, coarse in PYGMENTS_CLASSES_OF.get(language, []) + PYGMENTS_CLASSES:
        if tokentype in parent:
            return coarse
    return "other"


def read_tsv(name):
    rows = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                rows.append(line.rstrip("\n").split("\t"))
    return rows[1:]


TAG = re.compile(r"<(/?)(\w+)([^>]*)>|([^<]+)")
SPAN_CLASS = re.compile(r'class="(\w+)"')
# The entities the formatter writes (a no-break space in the input stays one).
ENTITIES = {"&amp;": "&", "&lt;": "<", "&gt;": ">", "&nbsp;": " ", "&quot;": '"'}
ENTITY = re.compile("|".join(ENTITIES))


def lumivar_classes(language, page):
    """The text of a formatted page and the coarse class of each of its characters, or None for
    the text when the spans do not balance."""
    body = page[page.index('<pre class="lv">') + len('<pre class="lv">'):page.rindex("</pre>")]
    text, classes, stack = [], [], []
    table = {css: coarse for css, coarse in dict(LUMIVAR_CLASSES, **LUMIVAR_CLASSES_OF.get(language, {})).items()
             if coarse is not None}
    for m in TAG.finditer(body):
        if m.group(4) is not None:
            chunk = ENTITY.sub(lambda e: ENTITIES[e.group(0)], m.group(4))
            coarse = next((table[c] for c in reversed(stack) if c in table), "other")
            text.append(chunk)
            classes.extend([coarse] * len(chunk))
        elif m.group(2) == "span":
            if m.group(1):
                if not stack:
                    return None, classes
                stack.pop()
            else:
                css = SPAN_CLASS.search(m.group(3))
                stack.append(css.group(1) if css else "")
        elif m.group(2) == "br":
            text.append("\n")
            classes.append("other")
    return ("".join(text) if not stack else None), classes


def pygments_classes(language, text):
    name = PYGMENTS_LEXERS.get(language, language)
    lexer = lexers.get_lexer_by_name(name, stripnl=False, ensurenl=False, tabsize=0)
    # The tokens follow each other; their own offsets are not used, as those of code that a
    # lexer hands to another (Markdown's fenced blocks) count from the block.
    classes = []
    for _start, tokentype, value in lexer.get_tokens_unprocessed(text):
        classes.extend([pygments_class(language, tokentype)] * len(value))
    return classes


def ignored(name, text, disagreements):
    skip = [False] * len(text)
    for files, pattern in disagreements:
        if fnmatch.fnmatchcase(name, files):
            for m in re.finditer(pattern, text):
                skip[m.start():m.end()] = [True] * (m.end() - m.start())
    return skip


def both_classes(tool, path, language):
    """The file's text and the classes of Lumivar and Pygments; None for Lumivar's classes when
    the text does not come back."""
    with open(path, encoding="utf-8", newline="") as f:
        source = f.read()
    page = subprocess.run([tool, "format", os.path.join(HLX, language + ".hlx"), path],
                          capture_output=True, check=True, env=dict(os.environ, TAVREL_ACP="65001")).stdout
    text, ours = lumivar_classes(language, page.decode("utf-8"))
    return source, (ours if text == source else None), pygments_classes(language, source)


WORDS = str.maketrans("nk", "..")


def show_differences(tool, name, disagreements):
    """Each line where comments or strings differ, under it Lumivar's and Pygments' classes by
    letter (a space where a disagreement leaves a character out)."""
    source, ours, theirs = both_classes(tool, os.path.join(CORPUS, name), name.split(".")[0])
    for i, skip in enumerate(ignored(name, source, disagreements)):
        if skip:
            ours[i] = theirs[i] = " "
    letter = {"comment": "c", "string": "s", "number": "n", "keyword": "k", "other": ".", " ": " "}
    start = 0
    for number, line in enumerate(source.split("\n"), 1):
        a = "".join(letter[c] for c in ours[start:start + len(line)])
        b = "".join(letter[c] for c in theirs[start:start + len(line)])
        if a.translate(WORDS) != b.translate(WORDS):
            print("%5d  %s\n   L:  %s\n   P:  %s" % (number, line, a, b))
        start += len(line) + 1


def measure(tool, path, language, disagreements):
    """Counts (lumivar, pygments, both) per coarse class; None when the text does not come back."""
    source, ours, theirs = both_classes(tool, path, language)
    if ours is None:
        return None
    skip = ignored(os.path.basename(path), source, disagreements)
    counts = defaultdict(lambda: [0, 0, 0])
    for ch, a, b, s in zip(source, ours, theirs, skip):
        if s or ch.isspace():
            continue
        counts[a][0] += 1
        counts[b][1] += 1
        if a == b:
            counts[a][2] += 1
    return counts


def ratio(part, whole):
    return 100.0 * part / whole if whole else None


def row(name, counts, limit, floors, failures):
    """One line of the table: precision/recall per class; a comment or string value under the
    name's floor (or limit) is added to failures."""
    cells = ""
    for coarse in CLASSES:
        ours, theirs, both = counts[coarse]
        values = {"P": ratio(both, ours), "R": ratio(both, theirs)}
        cells += " %s/%s  " % tuple("  -  " if v is None else "%5.1f" % v for v in values.values())
        for kind, value in values.items():
            least = floors.get((name, coarse, kind), limit.get(coarse))
            if least is not None and value is not None and value < least:
                failures.append("%s %s %s %.1f < %.1f" % (name, coarse, kind, value, least))
    return "%-9s%s" % (name, cells)


def add(totals, counts):
    for coarse, values in counts.items():
        for i in range(3):
            totals[coarse][i] += values[i]


def main(argv):
    tool, only = argv[1], [a for a in argv[2:] if not a.startswith("--")]
    disagreements = [(files, re.compile(pattern)) for files, pattern, _why in read_tsv("disagreements.tsv")]
    if "--diff" in argv:
        return show_differences(tool, only[0], disagreements)
    floors = {(lang, coarse, kind): float(value) for lang, coarse, kind, value, _why in read_tsv("floors.tsv")}
    per_language = defaultdict(lambda: defaultdict(lambda: [0, 0, 0]))
    failures = []
    for name in sorted(os.listdir(CORPUS)):
        language = name.split(".")[0]
        if name == "README.md" or (only and language not in only):
            continue
        counts = measure(tool, os.path.join(CORPUS, name), language, disagreements)
        if counts is None:
            failures.append("%s: the text does not come back exactly" % name)
        else:
            add(per_language[language], counts)
    print("Pygments %s; precision/recall %% per class, characters that are not spaces" % pygments.__version__)
    print("%-9s" % "language" + "".join(" %-13s" % c for c in CLASSES))
    overall = defaultdict(lambda: [0, 0, 0])
    for language, counts in sorted(per_language.items()):
        print(row(language, counts, {c: PER_LANGUAGE for c in OVERALL}, floors, failures))
        add(overall, counts)
    print(row("overall", overall, OVERALL if not only else {}, floors, failures))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures and "--table-only" not in argv else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
