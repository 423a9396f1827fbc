#!/usr/bin/env python3
"""Fails when a build tree reconfigured without the tests still lists tests.

A tree is configured with the tests, then again without them, as scripts/play.sh configures
the tree it builds in: ctest must then find no test there, not the list of the first
configuration, whose programs that tree no longer rebuilds. The scratch tree starts from the
cache and the compiler's description of the tree that runs this test, as a tree that was built
before is reconfigured, so the compiler and the libraries are not probed again.

Arguments: the top of the source tree, the build tree that runs this test, cmake, ctest.
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile


def seed(tree, source, built):
    """The cache of the built tree, moved to tree and source, and its compiler's description."""
    with open(os.path.join(built, "CMakeCache.txt"), encoding="utf-8") as cache:
        entries = cache.read()
    for key, value in (("CMAKE_CACHEFILE_DIR", tree), ("CMAKE_HOME_DIRECTORY", source)):
        entries = re.sub(r"^%s:INTERNAL=.*$" % key, lambda _: "%s:INTERNAL=%s" % (key, value), entries,
                         flags=re.MULTILINE)
    with open(os.path.join(tree, "CMakeCache.txt"), "w", encoding="utf-8") as cache:
        cache.write(entries)
    for described in glob.glob(os.path.join(built, "CMakeFiles", "[0-9]*")):
        shutil.copytree(described, os.path.join(tree, "CMakeFiles", os.path.basename(described)))


def main():
    source, built, cmake, ctest = sys.argv[1:5]
    with tempfile.TemporaryDirectory(prefix="kalmeno-tree-") as tree:
        seed(tree, source, built)
        for tests in ("ON", "OFF"):
            subprocess.run([cmake, "-S", source, "-B", tree, "-DKALMENO_BENCH=OFF", f"-DKALMENO_TESTS={tests}"],
                           stdout=subprocess.DEVNULL, check=True)
        listed = subprocess.run([ctest, "--test-dir", tree, "-N"], capture_output=True, text=True, check=True)
    total = re.search(r"^Total Tests: (\d+)$", listed.stdout, re.MULTILINE)
    if not total:
        print(f"ctest -N gave no total:\n{listed.stdout}")
        return 1
    if total.group(1) != "0":
        print(f"a tree configured without the tests lists {total.group(1)}:\n{listed.stdout}")
        return 1
    print("a tree configured without the tests lists none")
    return 0


if __name__ == "__main__":
    sys.exit(main())
