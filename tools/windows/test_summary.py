#!/usr/bin/env python3
"""Sums up a CTest run from its JUnit file: test programs passed, failed and
skipped, the Qt Test cases inside them, and every skip with its reason.
Exits 1 when a test failed."""
import re
import sys
import xml.etree.ElementTree as ElementTree

QT_SKIP = re.compile(r"^SKIP\s+:\s+(\S+?::\S+?\(.*?\))\s+(.*)$")
QT_TOTALS = re.compile(r"^Totals:\s+(\d+) passed,\s+(\d+) failed,\s+(\d+) skipped")
PROGRAM_SKIP = re.compile(r"^SKIP:?\s*(.*)$")


def main(path):
    programs = {"passed": 0, "failed": 0, "skipped": 0}
    cases = [0, 0, 0]
    skips = []
    failed = []
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        name = case.get("name")
        output = (case.findtext("system-out") or "").splitlines()
        status = case.get("status")
        if status == "skipped" or case.find("skipped") is not None:
            programs["skipped"] += 1
            reason = next((m.group(1) for m in map(PROGRAM_SKIP.match, output) if m), "")
            skips.append(f"{name}: {reason or 'skipped'}")
            continue
        if status == "fail" or case.find("failure") is not None:
            programs["failed"] += 1
            failed.append(name)
        else:
            programs["passed"] += 1
        for line in output:
            totals = QT_TOTALS.match(line)
            if totals:
                cases = [a + int(b) for a, b in zip(cases, totals.groups())]
            skip = QT_SKIP.match(line)
            if skip:
                skips.append(f"{name}: {skip.group(1)}: {skip.group(2)}")
    print(f"Windows test cases (Qt Test functions and data rows): "
          f"{cases[0]} passed, {cases[1]} failed, {cases[2]} skipped")
    print("Skipped under Wine:" if skips else "Nothing skipped under Wine.")
    for skip in skips:
        print(f"  {skip}")
    for name in failed:
        print(f"FAILED under Wine: {name}")
    print(f"Windows: {programs['passed']} passed, {programs['failed']} failed, "
          f"{programs['skipped']} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
