"""The committed pictures are what their scripts draw, byte for byte: each script in assets/
draws into a folder of its own, and every file it makes must equal the one beside it.

    python3 tests/tools/check_assets.py"""

import filecmp
import glob
import os
import subprocess
import sys
import tempfile

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")


def main() -> int:
    differing = []
    with tempfile.TemporaryDirectory() as drawn:
        for script in sorted(glob.glob(os.path.join(ASSETS, "make_*.py"))):
            subprocess.run([sys.executable, "-B", script, drawn], check=True)
        names = sorted(os.listdir(drawn))
        for name in names:
            if not filecmp.cmp(os.path.join(drawn, name), os.path.join(ASSETS, name),
                               shallow=False):
                differing.append(name)
    for name in differing:
        print("assets/%s is not what its script draws" % name)
    print("%d pictures checked, %d differ" % (len(names), len(differing)))
    return 1 if differing or not names else 0


if __name__ == "__main__":
    sys.exit(main())
