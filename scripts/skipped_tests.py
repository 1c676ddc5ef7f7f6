#!/usr/bin/python3
"""Lists the tests ctest skipped under the reason each gave (scripts/skipped_tests.py JUNIT).

JUNIT is ctest's --output-junit file. GoogleTest prints a skip's reason between the line ending in
": Skipped" and the "[  SKIPPED ]" line; a test without one shows ctest's own reason.
"""
import html
import re
import sys

TESTCASE = re.compile(r'<testcase name="([^"]*)"[^>]*>(.*?)</testcase>', re.S)
SKIPPED = re.compile(r'<skipped message="([^"]*)"')
OUTPUT = re.compile(r'<system-out>(.*?)</system-out>', re.S)


def skip_reason(output):
    lines = output.splitlines()
    for k, line in enumerate(lines):
        if line.endswith(": Skipped"):
            reason = []
            for text in lines[k + 1:]:
                if text.startswith("[  SKIPPED ]"):
                    break
                if text.strip():
                    reason.append(text.strip())
            return "; ".join(reason)
    return ""


def main(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    skipped = []
    for name, body in TESTCASE.findall(text):
        mark = SKIPPED.search(body)
        if not mark:
            continue
        output = OUTPUT.search(body)
        reason = skip_reason(html.unescape(output.group(1))) if output else ""
        skipped.append((html.unescape(name), reason or html.unescape(mark.group(1)) or "no reason given"))
    if not skipped:
        print("No test was skipped.")
        return
    by_reason = {}
    for name, reason in skipped:
        by_reason.setdefault(reason, []).append(name)
    print(f"{len(skipped)} {'test was' if len(skipped) == 1 else 'tests were'} skipped:")
    for reason, names in sorted(by_reason.items()):
        print(f"  {reason}:")
        for name in sorted(names):
            print(f"    {name}")


if __name__ == "__main__":
    main(sys.argv[1])
