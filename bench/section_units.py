"""Prints, for a definition dumped by `lumivar-hlx dump DEF`, a short text that enters and leaves
each of its sections: for every ENTER rule reached from the first section, the shortest text its
pattern matches, then the same for the entered section, then a text its first RETURN rule
matches. Repeated, it is an input on which each section opens and closes again and again.

    lumivar-hlx dump DEF | python3 bench/section_units.py
"""
import json
import re
import sys

try:
    from re import _parser as sre_parse
    from re import _constants as sre
except ImportError:  # Python before 3.11
    import sre_parse
    import sre_constants as sre

# PCRE spellings that Python's parser does not read, rewritten to what it does.
PCRE_TO_PYTHON = [(r"\(\?<([A-Za-z_]\w*)>", r"(?P<\1>"), (r"\\h", r"[ \\t]"), (r"\\R", r"\\n"),
                  (r"\\x\{([0-9A-Fa-f]+)\}", lambda m: "\\x%02x" % min(int(m.group(1), 16), 255)),
                  (r"\\[pP]\{\^?\w+\}", "a"), (r"\\z", r"\\Z"), (r"\(\*\w+\)", "")]
CATEGORY_SAMPLE = {sre.CATEGORY_DIGIT: "1", sre.CATEGORY_WORD: "a", sre.CATEGORY_SPACE: " ",
                   sre.CATEGORY_NOT_DIGIT: "a", sre.CATEGORY_NOT_WORD: " ", sre.CATEGORY_NOT_SPACE: "a",
                   sre.CATEGORY_LINEBREAK: "\n", sre.CATEGORY_NOT_LINEBREAK: "a"}


def class_sample(items):
    """One character the class matches (a plain letter, digit or space where it can)."""
    negate = any(op == sre.NEGATE for op, _ in items)
    if negate:
        for ch in "ax1 ":
            if not re.fullmatch(class_regex(items), ch):
                continue
            return ch
        return "a"
    for op, av in items:
        if op == sre.LITERAL:
            return chr(av)
        if op == sre.RANGE:
            return chr(av[0])
        if op == sre.CATEGORY:
            return CATEGORY_SAMPLE.get(av, "a")
    return "a"


def class_regex(items):
    """The class rebuilt as a Python regular expression, to test a character against it."""
    parts = []
    for op, av in items:
        if op == sre.NEGATE:
            parts.insert(0, "^")
        elif op == sre.LITERAL:
            parts.append(re.escape(chr(av)))
        elif op == sre.RANGE:
            parts.append(re.escape(chr(av[0])) + "-" + re.escape(chr(av[1])))
        elif op == sre.CATEGORY:
            parts.append({sre.CATEGORY_DIGIT: r"\d", sre.CATEGORY_WORD: r"\w", sre.CATEGORY_SPACE: r"\s",
                          sre.CATEGORY_NOT_DIGIT: r"\D", sre.CATEGORY_NOT_WORD: r"\W",
                          sre.CATEGORY_NOT_SPACE: r"\S"}.get(av, ""))
    return "[" + "".join(parts) + "]"


def sample(parsed, groups):
    """The shortest text (by the first branch) that the parsed expression matches."""
    out = []
    for op, av in parsed:
        if op == sre.LITERAL:
            out.append(chr(av))
        elif op == sre.NOT_LITERAL:
            out.append("a" if chr(av) != "a" else "b")
        elif op == sre.ANY:
            out.append("a")
        elif op == sre.IN:
            out.append(class_sample(av))
        elif op == sre.BRANCH:
            out.append(sample(av[1][0], groups))
        elif op == sre.SUBPATTERN:
            text = sample(av[-1], groups)
            if av[0] is not None:
                groups[av[0]] = text
            out.append(text)
        elif op in (sre.MAX_REPEAT, sre.MIN_REPEAT, getattr(sre, "POSSESSIVE_REPEAT", None)):
            out.append(sample(av[2], groups) * av[0])
        elif op == getattr(sre, "ATOMIC_GROUP", None):
            out.append(sample(av, groups))
        elif op == sre.GROUPREF:
            out.append(groups.get(av, ""))
        elif op == sre.CATEGORY:
            out.append(CATEGORY_SAMPLE.get(av, "a"))
        # anchors and lookaround add no text
    return "".join(out)


def pattern_sample(pattern, ignore_case):
    for spelling, python in PCRE_TO_PYTHON:
        pattern = re.sub(spelling, python, pattern)
    try:
        return sample(sre_parse.parse(pattern, re.IGNORECASE if ignore_case else 0), {})
    except Exception:  # a construct Python does not know: this rule is left out
        return None


def rule_samples(section):
    for rule in section["Rules"].values():
        for pat in rule["Patterns"].values():
            text = pattern_sample(pat["Pattern"], section.get("IgnoreCase", False))
            if text:
                yield rule, text
                break


def section_unit(sections, name, covered):
    """Text that, from inside section NAME, enters and leaves each section not yet covered."""
    out = []
    for rule, text in rule_samples(sections[name]):
        target = rule.get("Enter")
        if target not in sections or target in covered:
            continue
        covered.add(target)
        body = section_unit(sections, target, covered)
        leave = next((t for r, t in rule_samples(sections[target]) if r["Return"] and not r.get("Enter")), "")
        out.append(text + " x" + body + leave)
    return "".join(out)


def main():
    sections = json.load(sys.stdin)["Sections"]
    start = next(iter(sections))
    unit = section_unit(sections, start, {start})
    sys.stdout.write(unit + "ab\n")


if __name__ == "__main__":
    main()
