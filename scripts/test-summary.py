#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports below a folder and prints one line.

Further arguments are ctest build folders: a test program that failed there
(a crash leaves no report, or only a partial one) is named on the line too."""
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

failed_programs = []
for build in sys.argv[2:]:
    log = pathlib.Path(build) / "Testing" / "Temporary" / "LastTestsFailed.log"
    if log.exists():
        failed_programs += [line.split(":", 1)[-1] for line in log.read_text().split() if line]

line = f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else "")
if failed_programs:
    line += f"; test programs failed: {', '.join(failed_programs)}"
print(line)
sys.exit(1 if failed or failed_programs or passed == 0 else 0)
