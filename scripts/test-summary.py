#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports below a folder and prints one line."""
import pathlib
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
for report in sorted(pathlib.Path(sys.argv[1]).rglob("*.xml")):
    for case in ET.parse(report).getroot().iter("testcase"):
        if case.find("failure") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1
print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
sys.exit(1 if failed or passed == 0 else 0)
