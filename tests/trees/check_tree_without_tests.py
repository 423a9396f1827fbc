#!/usr/bin/env python3
"""Fails when a build tree reconfigured without the tests still lists tests.

A tree is configured with the tests, then again without them, as scripts/play.sh configures
the tree it builds in: ctest must then find no test there, not the list of the first
configuration, whose programs that tree no longer rebuilds.

Arguments: the top of the source tree, cmake, ctest.
"""

import re
import subprocess
import sys
import tempfile


def main():
    source, cmake, ctest = sys.argv[1:4]
    with tempfile.TemporaryDirectory(prefix="kalmeno-tree-") as tree:
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
