#!/usr/bin/env python3
"""Fails when a source file breaks the layers: app -> puzzle -> components -> framework -> Qt.

Nothing above framework/ includes a toolkit header, and neither do the framework's public
headers (only framework/qt/ and the framework's sources do). A layer includes only itself and
the layers below it; the one reach upward is app/ApplFields.h, which components and puzzle may
include and which itself includes only the framework.
"""

import pathlib
import re
import sys

LAYERS = ["framework", "components", "puzzle", "app"]
UPWARD_HEADER = "app/ApplFields.h"
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
TOOLKIT = re.compile(r"^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/.*|qt[a-z0-9_]*\.h)$")


def layer_of(path):
    top = path.split("/", 1)[0]
    return LAYERS.index(top) if top in LAYERS else None


def may_include_toolkit(path):
    return path.startswith("framework/") and (path.startswith("framework/qt/") or path.endswith(".cpp"))


def sources(root):
    for layer in LAYERS:
        for file in sorted((root / layer).rglob("*")):
            if file.suffix in (".h", ".cpp") and file.is_file():
                yield file


def problems(root):
    for file in sources(root):
        path = file.relative_to(root).as_posix()
        own = layer_of(path)
        for number, line in enumerate(file.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, name = match.groups()
            where = f"{path}:{number}: {line.strip()}"
            if bracket == "<" and TOOLKIT.match(name) and not may_include_toolkit(path):
                yield f"{where}: the toolkit is included above framework/ or in a public framework header"
                continue
            if bracket != '"':
                continue
            target = (file.parent / name).resolve().relative_to(root.resolve()).as_posix() \
                if name.startswith(".") else name
            other = layer_of(target)
            if other is None or other <= own:
                if path == UPWARD_HEADER and other is not None and other > LAYERS.index("framework"):
                    yield f"{where}: the upward header includes more than the framework"
                continue
            if target == UPWARD_HEADER and own in (LAYERS.index("components"), LAYERS.index("puzzle")):
                continue
            yield f"{where}: {LAYERS[own]}/ includes the higher layer {LAYERS[other]}/"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = list(problems(root))
    for problem in found:
        print(problem)
    checked = sum(1 for _ in sources(root))
    if checked == 0:
        print(f"no sources of the layers under {root}")
        return 1
    print(f"{checked} files of the layers checked, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
