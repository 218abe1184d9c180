#!/usr/bin/env python3
"""The house rules of src/, checked from its own includes.

Every module (a .h/.cpp pair) has a tier, from the folder it lies in; a module
includes only modules of its own tier or below, never in a circle. The reading
engine includes nothing but itself and the standard library; the reading
engine and the platform's interfaces name no Qt header.

    check_layers.py SRC_DIR        exits 1 and lists what breaks a rule
"""

import pathlib
import re
import sys

# Each file's tier follows from where it lies, lowest first: the reading
# engine and the platform's interfaces (0), the Qt-backed services (1), the
# logic of app/ and outreach/ (2), the widget kit (3), the windows (4) and
# the program's entry (5). In app/ and outreach/ a module built on Qt (a
# window, or what starts or ends the windows) is a window's; the rest is logic.
FOLDER_TIERS = [
    ("reading/", 0),
    ("platform/qt/", 1),
    ("platform/", 0),
    ("ui/kit/", 3),
    ("ui/", 4),
]
QT_TIERED = ("app/", "outreach/")
LOGIC, WINDOWS = 2, 4
ROOT_TIERS = {"Hosts": 0, "main": 5}

# The Qt-free folders; app/ and outreach/ name Qt only in their windows.
QT_FREE = ("reading/", "platform/")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def module_of(path):
    return re.sub(r"(_posix|_win32)?\.(h|cpp|h\.in)$", "", path)


def uses_qt(text):
    return any(kind == "<" and target.startswith("Q") for kind, target in INCLUDE.findall(text))


def tier_of(module, qt_modules):
    if module in ROOT_TIERS:
        return ROOT_TIERS[module]
    for prefix, tier in FOLDER_TIERS:
        if module.startswith(prefix):
            return tier
    if module.startswith(QT_TIERED):
        return WINDOWS if module in qt_modules else LOGIC
    return None


def main(src):
    root = pathlib.Path(src)
    files = {}
    for file in sorted(root.rglob("*")):
        if file.suffix in (".h", ".cpp", ".in"):
            files[file.relative_to(root).as_posix()] = file.read_text(encoding="utf-8")
    qt_modules = {module_of(path) for path, text in files.items() if uses_qt(text)}
    edges = {}
    faults = []
    for path, text in files.items():
        module = module_of(path)
        tier = tier_of(module, qt_modules)
        if tier is None:
            faults.append(f"{path}: in no tier")
            continue
        for kind, target in INCLUDE.findall(text):
            if kind == "<":
                if target.startswith("Q") and module.startswith(QT_FREE) and not module.startswith("platform/qt/"):
                    faults.append(f"{path}: a Qt-free module includes <{target}>")
                continue
            if target == pathlib.Path(path).stem + ".moc":
                continue  # the file's own meta-object code, made by moc
            other = module_of(target)
            if other == module:
                continue
            if module.startswith("reading/") and not other.startswith("reading/"):
                faults.append(f"{path}: the reading engine includes {target}")
            other_tier = tier_of(other, qt_modules)
            if other_tier is None:
                faults.append(f"{path}: includes {target}, in no tier")
            elif other_tier > tier:
                faults.append(f"{path} (tier {tier}) includes {target} (tier {other_tier}): upward")
            edges.setdefault(module, set()).add(other)

    # Circles among the modules, by depth-first search.
    state = {}

    def visit(module, trail):
        state[module] = "open"
        for other in sorted(edges.get(module, ())):
            if state.get(other) == "open":
                faults.append("circle: " + " -> ".join(trail[trail.index(other):] + [other]))
            elif other not in state:
                visit(other, trail + [other])
        state[module] = "done"

    for module in sorted(edges):
        if module not in state:
            visit(module, [module])

    for fault in faults:
        print(fault)
    print(f"{len(edges)} modules, {sum(len(e) for e in edges.values())} includes between them, "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
