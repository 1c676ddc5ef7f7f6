#!/usr/bin/python3
"""The module speaks only the host's API.

Fails (exit 1, one line per finding) when a source file of the module names the stand-in's
own `platform::` namespace, or includes a header of platform/ that host_api_headers.txt does
not list. The adapter (core/host_adapter.h) is the one file allowed to reach past the list.
Comments, string and character literals are skipped.

Run: /usr/bin/python3 check_host_api.py SOURCE_DIR
     /usr/bin/python3 check_host_api.py --self-test
"""
import os
import re
import sys

MODULE_FOLDERS = ["app", "core", "ui", "sheets", "titleblock", "signstamp", "plot", "dialogs", "tools", "res"]
ADAPTER = "core/host_adapter.h"
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".cc", ".cxx", ".inl")
ALLOWED_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "host_api_headers.txt")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.MULTILINE)
PLATFORM_NAME = re.compile(r"(?<![\w:])(?:::\s*)?platform\s*::")


def code_only(text):
    """The text with comments and the contents of string and character literals blanked
    (line breaks kept, so line numbers hold). Include names survive: the preprocessor line
    is kept whole."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            # A directive: kept up to its end, less any comment on it.
            end = text.find("\n", i)
            end = n if end < 0 else end
            directive = text[i:end]
            cut = directive.find("//")
            out.append(directive if cut < 0 else directive[:cut])
            i = end
            continue
        if c == "\n":
            out.append(c)
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
        elif c == "'" and i > 0 and text[i - 1].isalnum():
            out.append(c)  # a digit separator: 1'000
            i += 1
        elif c in "\"'":
            # Raw strings R"d( ... )d" end only at their delimiter.
            raw = c == '"' and i > 0 and text[i - 1] == "R"
            if raw:
                open_paren = text.find("(", i)
                closing = ")" + text[i + 1:open_paren] + '"'
                end = text.find(closing, open_paren)
                end = n if end < 0 else end + len(closing)
            else:
                end = i + 1
                while end < n and text[end] != c and text[end] != "\n":
                    end += 2 if text[end] == "\\" else 1
                end = min(end + 1, n)
            out.append(c + "\n" * text.count("\n", i, end) + c)
            i = end
        else:
            out.append(c)
            i += 1
    return "".join(out)


def findings_in(relative, text, platform_dir, allowed):
    """The findings of one file of the module, as "path:line: what"."""
    found = []
    code = code_only(text)
    for number, line in enumerate(code.split("\n"), 1):
        if PLATFORM_NAME.search(line):
            found.append(f"{relative}:{number}: names the stand-in's namespace platform::")
    for match in INCLUDE.finditer(code):
        name = match.group(2).strip()
        if name in allowed or not os.path.isfile(os.path.join(platform_dir, name)):
            continue
        number = code.count("\n", 0, match.start()) + 1
        found.append(f"{relative}:{number}: includes \"{name}\", which is no header of the host's API")
    return found


def read_allowed(path):
    with open(path, encoding="utf-8") as f:
        return {line.strip() for line in f if line.strip() and not line.lstrip().startswith("#")}


def check(source_dir, allowed):
    platform_dir = os.path.join(source_dir, "platform")
    found = []
    for folder in MODULE_FOLDERS:
        for root, _, files in os.walk(os.path.join(source_dir, folder)):
            for name in sorted(files):
                if not name.endswith(SOURCE_ENDINGS):
                    continue
                path = os.path.join(root, name)
                relative = os.path.relpath(path, source_dir).replace(os.sep, "/")
                if relative == ADAPTER:
                    continue
                with open(path, encoding="utf-8", errors="replace") as f:
                    found += findings_in(relative, f.read(), platform_dir, allowed)
    # A listed header that is gone would let a new header of the same name through unseen.
    for name in sorted(allowed):
        if not os.path.isfile(os.path.join(platform_dir, name)):
            found.append(f"{os.path.basename(ALLOWED_LIST)}: lists \"{name}\", which platform/ does not hold")
    return found


def self_test():
    """The parser on the cases that matter: code is found, comments and literals are not."""
    import tempfile
    with tempfile.TemporaryDirectory() as root:
        for header in ("mfc/afxwin.h", "mfc/dialog_steps.h", "db/block_walk.h"):
            os.makedirs(os.path.join(root, "platform", os.path.dirname(header)), exist_ok=True)
            open(os.path.join(root, "platform", header), "w").close()
        platform_dir = os.path.join(root, "platform")
        allowed = {"mfc/afxwin.h"}
        cases = [
            ("platform::Host_Main_Window();\n", 1),
            ("x = ::platform::To_Ansi(t);\n", 1),
            ("f(platform :: Safe_File_Write{});\n", 1),
            ("// platform::Host_Main_Window()\n", 0),
            ("/* platform::\n platform:: */ int a;\n", 0),
            ('const char* s = "platform::x";\n', 0),
            ('auto s = R"(platform::x "quoted")";\n', 0),
            ("my_platform::f(); other::platform::g();\n", 0),
            ('#include "mfc/afxwin.h"\n', 0),
            ('#include "mfc/dialog_steps.h"\n', 1),
            ('#include <db/block_walk.h>  // platform::\n', 1),
            ('#include "core/own_header.h"\n', 0),
            ('// #include "mfc/dialog_steps.h"\n', 0),
            ('/*\n#include "mfc/dialog_steps.h"\n*/\n', 0),
            ('int a; // "\nplatform::f();\n', 1),
            ("char q = '\"'; platform::f();\n", 1),
            ("int n = 1'000; platform::f(); int m = 2'0;\n", 1),
            ('#define MAIN_WINDOW platform::Host_Main_Window()\n', 1),
        ]
        failed = 0
        for text, expected in cases:
            got = findings_in("t.cpp", text, platform_dir, allowed)
            if len(got) != expected:
                failed += 1
                print(f"self-test: {text!r}: {len(got)} findings, expected {expected}: {got}")
        return failed == 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return 0 if self_test() else 1
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = check(argv[1], read_allowed(ALLOWED_LIST))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} findings: the module speaks only the host's API; what the host lacks "
              f"goes through {ADAPTER}.")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
