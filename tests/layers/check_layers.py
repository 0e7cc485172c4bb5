#!/usr/bin/env python3
"""Checks that every include of the sources goes along the layers.

    check_layers.py SRC_DIR

    settings <- pictures, pages <- run <- cli, gui
    settings <- forms <- gui

A layer includes its own headers and those of the layers below it, always as
"layer/header.h". The front ends (cli, gui) reach the pictures only through
run/, and only the windows (gui) include forms/ and Qt, only kesto-cli CLI11,
and only the picture layer the picture libraries. Prints each include that
goes against this as "file:line: message" and exits 1 when there is one.
"""
import pathlib
import re
import sys

BELOW = {
    "settings": {"settings"},
    "pictures": {"settings", "pictures"},
    "pages": {"settings", "pages"},
    "run": {"settings", "pictures", "pages", "run"},
    "forms": {"settings", "forms"},
    "cli": {"settings", "pages", "run", "cli"},
    "gui": {"settings", "pages", "run", "forms", "mainwindow", "dialogs"},
}
# Library headers by the only layer that may include them.
LIBRARIES = [
    (re.compile(r"Q[A-Za-z]*(/|$)|Qt[A-Za-z]*/"), "gui"),
    (re.compile(r"CLI/"), "cli"),
    (re.compile(r"vips/|jpeglib\.h|jerror\.h|turbojpeg\.h|gif_lib\.h|lcms2\.h|libheif/|hwy/|exiv2/"),
     "pictures"),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    parts = path.parts
    if parts[0] == "engine" and len(parts) > 2:
        return parts[1]
    if parts[0] in ("mainwindow", "dialogs"):
        return "gui"
    return parts[0]


def problem(layer, quote, header):
    if quote == "<":
        for pattern, owner in LIBRARIES:
            if pattern.match(header) and layer != owner:
                return f"{layer} may not include <{header}>"
        return None
    if layer == "gui" and re.fullmatch(r"ui_\w+\.h", header):
        return None  # a form compiled from its .ui file
    own = header.split("/")[0] if "/" in header else None
    if own is None:
        return f'"{header}" names no layer; write "layer/{header}"'
    if own not in BELOW[layer]:
        return f"{layer} may not include {header}"
    return None


def main():
    src = pathlib.Path(sys.argv[1])
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = layer_of(path.relative_to(src))
        if layer not in BELOW:
            problems.append(f"{path.relative_to(src)}: not in a layer")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            found = match and problem(layer, match.group(1), match.group(2))
            if found:
                problems.append(f"{path.relative_to(src)}:{number}: {found}")
    for line in problems:
        print(line)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
