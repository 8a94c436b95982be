#!/usr/bin/env python3
"""Fails when an #include or a library link runs the wrong way between layers.

Each folder below may include headers from, and link libraries of, the folders
named in its row and nothing else of the tree (system headers and the system's
libraries are always fine; an include without a folder is the folder's own).
The tests are not checked: a test may reach any layer it tests.

Usage: check-layers.py [source root]
"""
import os
import re
import sys

PLATFORM = ["platform/"]
CHAIN = ["foundation/", "dshow/", "hardware/bus/", "hardware/tuners/", "hardware/devices/", "engine/"]

# Folder -> the paths it may include and link (its own folder always included).
# Longer folder names win over their parents (ui/osd/ is checked as ui/osd/).
RULES = {
    "platform/": [],
    "parvane/": [],
    # Hollit knows Parvane only through the DLL's public header and its import library.
    "hollit/": PLATFORM + ["parvane/ParvaneApi.h", "lib:Parvane"],
    "skin/": PLATFORM + ["foundation/"],
    # The windows load their dialogs, strings and pictures from the resource library by the ids of
    # its shared header.
    "ui/": PLATFORM + CHAIN + ["skin/", "resources/ResourceIds.h"],
}
for _i, _layer in enumerate(CHAIN):
    RULES[_layer] = PLATFORM + CHAIN[:_i]
RULES["ui/osd/"] = RULES["ui/"] + ["ui/"]
RULES["ui/settings/"] = RULES["ui/"] + ["ui/"]

# The simulated cards stand in for drivers on the test machine: no shipped code
# includes or links them.
SIMULATORS = "platform/sim/"

SOURCE_EXTENSIONS = (".h", ".hpp", ".c", ".cpp", ".rc", ".idl")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
# add_library(name ...) / ondrix_glob_library(name ...)
DEFINE = re.compile(r"\b(?:add_library|ondrix_glob_library)\s*\(\s*([A-Za-z0-9_]+)")
# target_link_libraries(target ...) / ondrix_glob_library(target ... LIBS ...)
LINK = re.compile(r"\b(target_link_libraries|ondrix_glob_library)\s*\(([^)]*)\)", re.S)
LINK_KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "LIBS", "STATIC", "SHARED"}


def folder_of(path):
    """The rule folder a tree path belongs to, or None when no rule covers it."""
    best = None
    for folder in RULES:
        if path.startswith(folder) and (best is None or len(folder) > len(best)):
            best = folder
    return best


def allowed(folder, target):
    if target.startswith(SIMULATORS) and not folder.startswith("platform/"):
        return False
    if target.startswith(folder):
        return True
    return any(target == a or (a.endswith("/") and target.startswith(a)) for a in RULES[folder])


def walk(root):
    for folder in sorted(RULES):
        top = os.path.join(root, folder)
        for dirpath, dirnames, filenames in os.walk(top):
            dirnames.sort()
            for name in sorted(filenames):
                full = os.path.join(dirpath, name)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                if folder_of(rel) == folder:
                    yield rel, full


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    files = list(walk(root))
    errors = []

    # Which folder defines each library target, and where.
    owner = {}
    defined_in = {}
    cmake_files = [(rel, full) for rel, full in files if os.path.basename(rel) == "CMakeLists.txt"]
    for rel, full in cmake_files:
        with open(full, encoding="utf-8") as f:
            for name in DEFINE.findall(f.read()):
                owner[name] = folder_of(rel)
                defined_in[name] = os.path.dirname(rel) + "/"

    for rel, full in files:
        folder = folder_of(rel)
        if rel.endswith(SOURCE_EXTENSIONS):
            with open(full, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for included in INCLUDE.findall(text):
                if "/" in included and not allowed(folder, included):
                    errors.append("%s includes %s" % (rel, included))
        elif os.path.basename(rel) == "CMakeLists.txt":
            with open(full, encoding="utf-8") as f:
                text = re.sub(r"#.*", "", f.read())
            for command, args in LINK.findall(text):
                words = args.split()
                if not words:
                    continue
                target, libs = words[0], words[1:]
                if command == "ondrix_glob_library":
                    libs = libs[libs.index("LIBS") + 1:] if "LIBS" in libs else []
                # The target's own folder decides, wherever the link is written.
                linking = owner.get(target, folder)
                for lib in libs:
                    if lib in LINK_KEYWORDS or lib not in owner:
                        continue
                    lib_folder = owner[lib]
                    if lib_folder == linking or allowed(linking, "lib:" + lib):
                        continue
                    if allowed(linking, lib_folder) and allowed(linking, defined_in[lib]):
                        continue
                    errors.append("%s: %s (%s) links %s (%s)" % (rel, target, linking, lib, lib_folder))

    for error in errors:
        print("wrong-way dependency: " + error, file=sys.stderr)
    if errors:
        return 1
    print("layers: %d files checked, includes and links run one way" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main())
