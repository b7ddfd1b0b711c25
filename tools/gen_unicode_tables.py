#!/usr/bin/env python3
"""Writes transfer/UnicodeTables.cpp, the built-in data of UnicodeTools.

The tables follow the Unicode 3.1 character database (UnicodeData), restricted
to the Basic Multilingual Plane, taking every code point the database lists on
a line of its own. For the ranges the database gives only as a first and a last
code point (CJK ideographs, CJK extension A, Hangul syllables) only those two
code points are taken.

  letters      general categories Lu Ll Lt Lm Lo         6795 characters
  numbers      Nd Nl No                                    431 characters
  punctuation  Pc Pd Ps Pe Pi Pf Po                        298 characters
  ws           Zs Zl Zp                                     19 characters
  lcase        Ll with a simple uppercase mapping          660 pairs

No machine here carries the 3.1 database itself, so the script rebuilds it
from what Debian provides:

  * Which code points 3.1 assigned: DerivedAge.txt of the `unicode-data`
    package (ages 1.1 to 3.1).
  * Their general category: Python's `unicodedata.ucd_3_2_0`, the 3.2
    database. Between 3.1 and 3.2 three characters that matter here changed
    category; their 3.1 category is restored below (CATEGORY_3_1). Every other
    later change (soft hyphen, the Mongolian ali gali letters, the Canadian
    syllabics chi sign, zero width space, ...) is already absent from 3.2.
  * The simple uppercase mapping: UnicodeData.txt of `unicode-data`, keeping a
    pair only when both characters were assigned in 3.1. One mapping changed
    since 3.1 to a character added later (lunate sigma); its 3.1 value is
    restored below (UPPER_3_1).

The sizes above are checked before anything is written, so a different
version of either source cannot silently change the tables.

The generated file was made with Debian bookworm's unicode-data 15.0.0-1 and
Python 3.11:

  apt-get install unicode-data
  python3 tools/gen_unicode_tables.py            # rewrites the table source
  python3 tools/gen_unicode_tables.py --check    # compares, writes nothing
"""

import argparse
import os
import sys
import unicodedata

UCD_DIR = "/usr/share/unicode"
REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(REPO, "transfer", "UnicodeTables.cpp")

# General categories that changed between 3.1 and 3.2, as 3.1 had them.
CATEGORY_3_1 = {
    0x0B83: "Mc",  # TAMIL SIGN VISARGA (Lo from 3.2)
    0x17D7: "Po",  # KHMER SIGN LEK TOO (Lm from 3.2)
    0x17DC: "Po",  # KHMER SIGN AVAKRAHASANYA (Lo from 3.2)
}

# Simple uppercase mappings that 3.1 had and later versions changed.
UPPER_3_1 = {
    0x03F2: 0x03A3,  # GREEK LUNATE SIGMA SYMBOL -> CAPITAL SIGMA (later U+03F9)
}

# Ranges the database lists as First/Last lines: only the two ends count.
FIRST_LAST_RANGES = [(0x3400, 0x4DB5), (0x4E00, 0x9FA5), (0xAC00, 0xD7A3),
                     (0xD800, 0xDB7F), (0xDB80, 0xDBFF), (0xDC00, 0xDFFF),
                     (0xE000, 0xF8FF)]

EXPECTED = {"lcase": 660, "letters": 6795, "numbers": 431,
            "punctuation": 298, "ws": 19}

WS_3_1 = [0x0020, 0x00A0, 0x1680] + list(range(0x2000, 0x200C)) + [
    0x2028, 0x2029, 0x202F, 0x3000]


def read_ranges(path):
    """Yields (first, last, fields) for each data line of a UCD file."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            fields = [x.strip() for x in line.split(";")]
            if ".." in fields[0]:
                lo, hi = (int(x, 16) for x in fields[0].split(".."))
            else:
                lo = hi = int(fields[0], 16)
            yield lo, hi, fields


def assigned_in_3_1():
    """Code points of the BMP that 3.1 lists on a line of their own."""
    ages = {}
    for lo, hi, fields in read_ranges(os.path.join(UCD_DIR, "DerivedAge.txt")):
        version = tuple(int(x) for x in fields[1].split("."))
        for cp in range(lo, hi + 1):
            ages[cp] = version
    interior = set()
    for lo, hi in FIRST_LAST_RANGES:
        interior.update(range(lo + 1, hi))
    return [cp for cp in range(0x10000)
            if cp not in interior and ages.get(cp, (99,)) <= (3, 1)]


def category_3_1(cp):
    return CATEGORY_3_1.get(cp, unicodedata.ucd_3_2_0.category(chr(cp)))


def simple_uppercase():
    upper = {}
    with open(os.path.join(UCD_DIR, "UnicodeData.txt"), encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(";")
            if fields[12]:
                upper[int(fields[0], 16)] = int(fields[12], 16)
    upper.update(UPPER_3_1)
    return upper


def build_tables():
    cps = assigned_in_3_1()
    in_3_1 = set(cps)
    upper = simple_uppercase()
    tables = {
        "lcase": [(cp, upper[cp]) for cp in cps
                  if category_3_1(cp) == "Ll" and upper.get(cp) in in_3_1],
        "letters": [cp for cp in cps
                    if category_3_1(cp) in ("Lu", "Ll", "Lt", "Lm", "Lo")],
        "numbers": [cp for cp in cps if category_3_1(cp) in ("Nd", "Nl", "No")],
        "punctuation": [cp for cp in cps if category_3_1(cp).startswith("P")],
        "ws": [cp for cp in cps if category_3_1(cp) in ("Zs", "Zl", "Zp")],
    }
    for name, size in EXPECTED.items():
        if len(tables[name]) != size:
            sys.exit("%s has %d entries, expected %d" % (name, len(tables[name]), size))
    if tables["ws"] != WS_3_1:
        sys.exit("ws differs from the 3.1 space characters")
    if tables["letters"][0] != 0x41 or tables["letters"][-1] != 0xFFDC:
        sys.exit("letters do not run from A to the halfwidth Hangul letters")
    if tables["lcase"][0] != (0x61, 0x41) or tables["lcase"][-1] != (0xFF5A, 0xFF3A):
        sys.exit("lcase does not run from Basic Latin to the Fullwidth Forms")
    return tables


def default_ignorable():
    path = os.path.join(UCD_DIR, "DerivedCoreProperties.txt")
    result = set()
    for lo, hi, fields in read_ranges(path):
        if fields[1] == "Default_Ignorable_Code_Point":
            result.update(range(lo, hi + 1))
    return result


def c_literal(cps, invisible):
    """A C++ string literal holding the UTF-8 text of `cps`.

    Characters an editor would not show as themselves (spaces, controls,
    combining marks, fillers) are written as octal escapes."""
    out = []
    for cp in cps:
        ch = chr(cp)
        if ch in '"\\':
            out.append("\\" + ch)
        elif cp in invisible or unicodedata.category(ch)[0] in "ZCM":
            out.extend("\\%03o" % b for b in ch.encode("utf-8"))
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def emit_table(name, comment, cps, per_line, invisible):
    lines = ["// " + comment, "extern const char %s[] =" % name]
    for i in range(0, len(cps), per_line):
        chunk = cps[i:i + per_line]
        lines.append("    %s  // U+%04X" % (c_literal(chunk, invisible), chunk[0]))
    lines[-1] = lines[-1].replace("  //", ";  //", 1)
    return "\n".join(lines)


def render(tables):
    invisible = default_ignorable()
    pairs = [cp for pair in tables["lcase"] for cp in pair]
    parts = [
        "// Generated by tools/gen_unicode_tables.py; do not edit.",
        "// Character data of the Unicode 3.1 database, Basic Multilingual Plane only.",
        "// clang-format off",
        "",
        '#include "transfer/UnicodeTables.h"',
        "",
        "namespace unicode_tables {",
        "",
        emit_table("kLowerUpperPairs",
                   "%d pairs: a lowercase letter followed by its uppercase letter."
                   % len(tables["lcase"]), pairs, 32, invisible),
        "",
        emit_table("kLetters", "%d letters." % len(tables["letters"]),
                   tables["letters"], 32, invisible),
        "",
        emit_table("kNumbers", "%d number characters." % len(tables["numbers"]),
                   tables["numbers"], 32, invisible),
        "",
        emit_table("kPunctuation",
                   "%d punctuation characters." % len(tables["punctuation"]),
                   tables["punctuation"], 32, invisible),
        "",
        emit_table("kSpaces", "%d space characters." % len(tables["ws"]),
                   tables["ws"], 32, invisible),
        "",
        "}  // namespace unicode_tables",
        "",
    ]
    return "\n".join(parts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--check", action="store_true",
                        help="compare with the existing file instead of writing it")
    args = parser.parse_args()
    text = render(build_tables())
    if args.check:
        with open(args.output, encoding="utf-8") as f:
            if f.read() != text:
                sys.exit("%s is out of date" % args.output)
        print("%s is up to date" % args.output)
        return
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(text)
    print("wrote %s" % args.output)


if __name__ == "__main__":
    main()
