#!/usr/bin/env python3
"""Fails when clang-format would change a source file of the tree (.clang-format at the top).

The files are the ones git tracks; outside a git checkout, every .cpp and .h under the source
folders. Finding no file at all is a failure, not a pass.
"""

import pathlib
import shutil
import subprocess
import sys

SOURCE_FOLDERS = ["app", "puzzle", "components", "framework", "tools", "tests", "bench"]
BATCH = 100


def tracked(root):
    try:
        listed = subprocess.run(["git", "-C", str(root), "ls-files", "-z", "--", "*.cpp", "*.h"],
                                capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError):
        return None
    return [name for name in listed.stdout.decode().split("\0") if name]


def walked(root):
    return sorted(file.relative_to(root).as_posix()
                  for folder in SOURCE_FOLDERS
                  for file in (root / folder).rglob("*")
                  if file.suffix in (".cpp", ".h") and file.is_file())


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    formatter = shutil.which("clang-format")
    if not formatter:
        print("clang-format is not installed (scripts/setup.sh installs it)")
        return 1
    files = tracked(root)
    if files is None:
        files = walked(root)
    if not files:
        print(f"no source file found under {root}")
        return 1
    failed = False
    for start in range(0, len(files), BATCH):
        batch = files[start:start + BATCH]
        run = subprocess.run([formatter, "--style=file", "--dry-run", "--Werror", *batch], cwd=root)
        failed = failed or run.returncode != 0
    if failed:
        print("apply the house style with: git ls-files '*.cpp' '*.h' | xargs clang-format -i")
        return 1
    print(f"{len(files)} files in the house style")
    return 0


if __name__ == "__main__":
    sys.exit(main())
