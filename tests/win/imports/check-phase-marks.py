#!/usr/bin/env python3
"""Checks that the shipped program carries none of the start-up benchmark's
instrumentation, and that the benchmark's marked build carries all of it.

    check-phase-marks.py <program sources> <shipped.exe> <marked.exe>

The mark names are read from the STARTUP_PHASE_MARK sites under the source
folder. Looked for in each file: the name of the environment variable that
names the phase file (ASCII and UTF-16LE) and every mark name (as a
NUL-terminated ASCII string, the way a literal is stored). Exits 1 when the
shipped program holds any of them or the marked build lacks one.
"""
import pathlib
import re
import sys

VARIABLE = "STELLWICK_STARTUP_PHASES"
MARK = re.compile(r'STARTUP_PHASE_MARK\(\s*"([^"]+)"')


def mark_names(source):
    names = set()
    for path in pathlib.Path(source).rglob("*.cpp"):
        names.update(MARK.findall(path.read_text(encoding="utf-8", errors="replace")))
    return sorted(names)


def found(data, names):
    hits = [VARIABLE + " (ascii)"] if VARIABLE.encode("ascii") in data else []
    if VARIABLE.encode("utf-16-le") in data:
        hits.append(VARIABLE + " (utf-16)")
    hits += [n for n in names if n.encode("ascii") + b"\0" in data]
    return hits


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip())
        return 2
    names = mark_names(argv[1])
    if not names:
        print("no STARTUP_PHASE_MARK sites found under %s" % argv[1])
        return 1
    print("marks: %s" % ", ".join(names))
    with open(argv[2], "rb") as f:
        shipped = found(f.read(), names)
    with open(argv[3], "rb") as f:
        marked = found(f.read(), names)
    missing = [n for n in [VARIABLE + " (utf-16)"] + names if n not in marked]
    for n in shipped:
        print("SHIPPED PROGRAM HOLDS: %s" % n)
    for n in missing:
        print("MARKED BUILD LACKS: %s" % n)
    return 1 if shipped or missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
