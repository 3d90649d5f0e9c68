#!/usr/bin/env python3
"""Checks the include graph of the source tree.

Three kinds of fault, each printed with the includes that make it:
  - a cycle between components (a component is a header with its source file: a.h and a.cpp);
  - an include that points up a layer, or sideways where the layers say no;
  - an include path that climbs out of its folder with "..": paths start at the root.

Usage: check_includes.py [ROOT]   (default: the folder above this script)
Exit status 0 when the tree is clean, 1 when a fault was found.
"""

import os
import re
import sys
from collections import defaultdict

CORE = {"engine", "worksheet", "settings"}
# Each front end is a folder of its own with its layers inside: qt/ui, win32/controls, ...
FRONT_ENDS = {"qt", "win32"}

# The folders each layer may include, besides its own. Dependencies point downwards.
ALLOWED = {
    "engine": set(),
    "worksheet": {"engine"},
    "platform": set(),
    "settings": {"engine", "worksheet", "platform"},
    "uilogic": CORE,
    # The setup flow without a toolkit: install, uninstall, the wizard's stages and texts.
    "setuplogic": CORE | {"platform", "uilogic"},
    "cli": CORE | {"platform", "uilogic"},
}
# A front end's layers use the shared layers and the layers below them in the same front end;
# the two front ends never use each other.
for front_end in FRONT_ENDS:
    ALLOWED[f"{front_end}/controls"] = CORE | {"platform", "uilogic"}
    ALLOWED[f"{front_end}/setup"] = CORE | {"platform", "uilogic", "setuplogic",
                                            f"{front_end}/controls"}
    ALLOWED[f"{front_end}/ui"] = CORE | {"platform", "uilogic", "setuplogic",
                                         f"{front_end}/controls", f"{front_end}/setup"}
# Tests, benchmarks, fuzz targets and tools sit on top of everything: a test of one layer may
# use a layer above it to drive it (the engine's tests fill variables through the worksheet's
# list), and the screenshot tool drives the windows. No layer includes them.
TOP_LEVEL = {"tests", "bench", "fuzz", "tools"}

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")
SKIPPED_FOLDERS = {".git", "resources", "docs", "examples"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def source_files(root):
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        top = rel_folder.split(os.sep)[0]
        # Build folders hold generated code: build, build-asan, ...
        if top in SKIPPED_FOLDERS or top.startswith("build"):
            dirs[:] = []
            continue
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.normpath(os.path.join(rel_folder, name))


def resolve(root, including, included):
    """The file an include names, as the compiler finds it: beside the including file first,
    then from the root (the one include folder). None for a generated or system file."""
    for base in (os.path.dirname(including), ""):
        candidate = os.path.normpath(os.path.join(base, included))
        if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def layer_of(path):
    parts = path.split(os.sep)
    if parts[0] in FRONT_ENDS and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0] if len(parts) > 1 else ""


def component_of(path):
    return os.path.splitext(path)[0]


def may_include(path, target):
    source, dest = layer_of(path), layer_of(target)
    if source == dest or source in TOP_LEVEL:
        return True
    if source not in ALLOWED:
        return True  # a file at the root or in a folder without a rule
    return dest in ALLOWED[source]


def find_cycles(edges):
    """The strongly connected components of more than one node (Tarjan, iterative)."""
    index, low, on_stack, stack, cycles = {}, {}, set(), [], []
    counter = 0
    for start in sorted(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges.get(child, ())))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                members = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    members.append(member)
                    if member == node:
                        break
                if len(members) > 1:
                    cycles.append(sorted(members))
    return cycles


def check(root):
    edges = defaultdict(set)
    why = defaultdict(list)  # (component, component) -> the include lines behind the edge
    faults = []
    for path in source_files(root):
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        edges[component_of(path)]  # every component is a node, also one with no includes
        for included in INCLUDE.findall(text):
            if ".." in included.split("/"):
                faults.append(f"path: {path} includes \"{included}\" (name it from the root)")
            target = resolve(root, path, included)
            if target is None:
                continue
            if not may_include(path, target):
                faults.append(f"layer: {path} includes {target} "
                              f"({layer_of(path)} may not use {layer_of(target)})")
            a, b = component_of(path), component_of(target)
            if a != b:
                edges[a].add(b)
                why[(a, b)].append(f"{path} -> {target}")
    for members in find_cycles(edges):
        inside = set(members)
        links = [line for (a, b), lines in sorted(why.items())
                 if a in inside and b in inside for line in lines]
        faults.append("cycle: " + " <-> ".join(members) + "\n    " + "\n    ".join(links))
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    faults = check(os.path.abspath(root))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include fault(s)")
        return 1
    print("include graph: no cycle, every include points down a layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
