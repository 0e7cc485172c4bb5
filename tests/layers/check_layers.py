#!/usr/bin/env python3
"""check_layers.py SRC_DIR: checks that every include of the sources goes along the layers.

    settings <- pictures, pages <- run <- cli, gui;    settings <- forms <- gui

A layer includes its own headers and those below it, always as "layer/header.h". The front
ends reach the pictures only through run/; only the windows (gui) include forms/ and Qt, only
kesto-cli CLI11, only the picture layer the picture libraries. Prints each include that goes
against this as "file:line: message" and exits 1 when there is one.
"""
import pathlib, re, sys  # noqa: E401

BELOW = {"settings": {"settings"}, "pictures": {"settings", "pictures"},
         "pages": {"settings", "pages"}, "run": {"settings", "pictures", "pages", "run"},
         "forms": {"settings", "forms"}, "cli": {"settings", "pages", "run", "cli"},
         "gui": {"settings", "pages", "run", "forms", "mainwindow", "dialogs"}}
LIBRARIES = [  # library headers by the only layer that may include them
    (r"Q[A-Za-z]*(/|$)|Qt[A-Za-z]*/", "gui"), (r"CLI/", "cli"),
    (r"vips/|jpeglib\.h|jerror\.h|turbojpeg\.h|gif_lib\.h|lcms2\.h|libheif/|hwy/|exiv2/", "pictures"),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def problem(layer, quote, header):
    if quote == "<":
        owner = next((owner for pattern, owner in LIBRARIES if re.match(pattern, header)), layer)
        return None if owner == layer else f"{layer} may not include <{header}>"
    if layer == "gui" and re.fullmatch(r"ui_\w+\.h", header):
        return None  # a form compiled from its .ui file
    if "/" not in header:
        return f'"{header}" names no layer; write "layer/{header}"'
    return None if header.split("/")[0] in BELOW[layer] else f"{layer} may not include {header}"


def main():
    src, problems = pathlib.Path(sys.argv[1]), []
    for path in sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp")):
        name = path.relative_to(src)
        parts = name.parts[1:] if name.parts[0] == "engine" and len(name.parts) > 2 else name.parts
        layer = {"mainwindow": "gui", "dialogs": "gui"}.get(parts[0], parts[0])
        if layer not in BELOW:
            problems.append(f"{name}: not in a layer")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if found := match and problem(layer, match.group(1), match.group(2)):
                problems.append(f"{name}:{number}: {found}")
    sys.stdout.write("".join(line + "\n" for line in problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
