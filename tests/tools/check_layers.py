"""Holds the code to the layers docs/layout.md gives: every #include of the programs' sources
names one file at a glance, and none runs back up.

  - an include names a file by a path from one of the include roots (renderer/, saver/,
    common/), or a file beside the one that includes it; no first folder of such a path may
    stand under two roots, and no two headers may share a name;
  - a folder includes only folders of lower layers of its own program or of common/, and
    itself; folders of one layer stand side by side and include nothing of each other;
  - inside a folder, no two files include each other, however indirectly.

    python3 tests/tools/check_layers.py [REPOSITORY]

prints each include that breaks a rule, with the rule, and exits 1 when there is one."""

import os
import re
import sys
from collections import defaultdict
from typing import Dict, List, Optional, Set, Tuple

PROGRAMS = ("renderer", "saver", "common")
SOURCES = (".c", ".cpp", ".h")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
LAYER_ROW = re.compile(r"^\|\s*(\d+)\s*\|\s*([^|]+)\|", re.M)
# Made by the build into its own folder, named without one.
GENERATED = {"vorlenta_version.h", "xdg-shell-client-protocol.h"}


def read_layers(repository: str) -> Dict[str, int]:
    """The layer of each folder, from the rows "| N | `folder`, `folder` |" of docs/layout.md."""
    with open(os.path.join(repository, "docs", "layout.md")) as handle:
        text = handle.read()
    layers = {}
    for number, folders in LAYER_ROW.findall(text):
        for folder in re.findall(r"`([^`]+)`", folders):
            layers[folder.rstrip("/")] = int(number)
    return layers


def source_files(repository: str) -> List[str]:
    found = []
    for program in PROGRAMS:
        for folder, _, names in os.walk(os.path.join(repository, program)):
            found += [os.path.relpath(os.path.join(folder, name), repository)
                      for name in names if name.endswith(SOURCES)]
    return sorted(found)


def folder_of(path: str) -> str:
    return os.path.dirname(path)


def roots_of(path: str) -> Tuple[str, ...]:
    """The include roots a file of PATH's program is compiled with."""
    program = path.split("/")[0]
    return (program,) if program == "common" else (program, "common")


class Checker:
    def __init__(self, repository: str):
        self.repository = repository
        self.layers = read_layers(repository)
        self.files = set(source_files(repository))
        self.problems: List[str] = []
        self.edges: Dict[str, Set[str]] = defaultdict(set)

    def report(self, where: str, what: str) -> None:
        self.problems.append("%s: %s" % (where, what))

    def check_first_folders(self) -> None:
        under: Dict[str, List[str]] = defaultdict(list)
        for program in PROGRAMS:
            for entry in sorted(os.listdir(os.path.join(self.repository, program))):
                if os.path.isdir(os.path.join(self.repository, program, entry)):
                    under[entry].append(program)
        for first, roots in sorted(under.items()):
            if len(roots) > 1:
                self.report(first + "/", "stands under the roots %s: an include of it names "
                            "no one folder" % ", ".join(roots))

    def check_header_names(self) -> None:
        by_name: Dict[str, List[str]] = defaultdict(list)
        for path in self.files:
            if path.endswith(".h"):
                by_name[os.path.basename(path)].append(path)
        for name, paths in sorted(by_name.items()):
            if len(paths) > 1:
                self.report(name, "names %d headers: %s" % (len(paths), ", ".join(sorted(paths))))

    def resolve(self, path: str, written: str) -> Optional[str]:
        beside = os.path.normpath(os.path.join(folder_of(path), written))
        if "/" not in written and beside in self.files:
            return beside
        for root in roots_of(path):
            candidate = os.path.normpath(os.path.join(root, written))
            if candidate in self.files:
                return candidate
        return None

    def layer(self, folder: str) -> Optional[int]:
        return self.layers.get(folder)

    def check_include(self, path: str, written: str) -> None:
        where = "%s includes \"%s\"" % (path, written)
        if written in GENERATED:
            return
        target = self.resolve(path, written)
        if target is None:
            self.report(where, "no file of its program or of common/ has that path")
            return
        source_folder, target_folder = folder_of(path), folder_of(target)
        if source_folder == target_folder:
            self.edges[path].add(target)
            return
        source_layer, target_layer = self.layer(source_folder), self.layer(target_folder)
        if source_layer is None or target_layer is None:
            missing = source_folder if source_layer is None else target_folder
            self.report(where, "%s/ has no layer in docs/layout.md" % missing)
        elif target_layer > source_layer:
            self.report(where, "runs back up, from layer %d to %s/ at layer %d"
                        % (source_layer, target_folder, target_layer))
        elif target_layer == source_layer:
            self.report(where, "runs sideways, to %s/ of the same layer %d"
                        % (target_folder, target_layer))

    def check_circles(self) -> None:
        done: Set[str] = set()

        def visit(path: str, trail: List[str]) -> None:
            if path in trail:
                circle = trail[trail.index(path):] + [path]
                self.report(circle[0], "includes itself round the circle " + " -> ".join(circle))
                return
            if path in done:
                return
            for target in sorted(self.edges.get(path, ())):
                visit(target, trail + [path])
            done.add(path)

        for path in sorted(self.edges):
            visit(path, [])

    def run(self) -> List[str]:
        self.check_first_folders()
        self.check_header_names()
        for path in sorted(self.files):
            with open(os.path.join(self.repository, path), errors="replace") as handle:
                for written in INCLUDE.findall(handle.read()):
                    self.check_include(path, written)
        self.check_circles()
        return self.problems


def main(argv: List[str]) -> int:
    repository = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "..", "..")
    problems = Checker(os.path.normpath(repository)).run()
    for problem in problems:
        print(problem)
    print("layers: %d problem(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
