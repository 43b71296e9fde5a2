#!/usr/bin/env python3
"""Adds up the test results of every tier into one line "N passed, N failed".

Each folder holds ctest's JUnit report (ctest-junit.xml) and the GoogleTest
XML reports that the test executables wrote (<ctest test name>.xml). A ctest
test with a GoogleTest report counts its test cases; a ctest test without one
(a fuzz run, a script) counts as one. A ctest test that failed although its
report shows no failure (a crash, a time-out, a report cut short) adds one
failure, so nothing that went wrong is lost in the sum.
"""
import argparse
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(path):
    root = ET.parse(path).getroot()
    passed = failed = 0
    for case in root.iter("testcase"):
        if case.get("result") == "skipped" or case.get("status") == "notrun":
            continue
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        else:
            passed += 1
    return passed, failed


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--extra-failures", type=int, default=0)
    ap.add_argument("dirs", nargs="*")
    args = ap.parse_args()
    passed, failed = 0, args.extra_failures
    for d in args.dirs:
        junit = os.path.join(d, "ctest-junit.xml")
        if not os.path.exists(junit):
            failed += 1  # the tier never reported
            continue
        try:
            root = ET.parse(junit).getroot()
        except ET.ParseError:
            failed += 1
            continue
        for case in root.iter("testcase"):
            name = case.get("name")
            ok = case.get("status") == "run" and case.find("failure") is None
            if case.get("status") in ("notrun", "disabled") or case.find("skipped") is not None:
                ok = False
            report = os.path.join(d, name + ".xml")
            if os.path.exists(report):
                try:
                    p, f = gtest_counts(report)
                except ET.ParseError:
                    p, f = 0, 1
                passed += p
                failed += f
                if not ok and f == 0:
                    failed += 1
            elif ok:
                passed += 1
            else:
                failed += 1
    print(f"{passed} passed, {failed} failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
