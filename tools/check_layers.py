#!/usr/bin/env python3
"""The house rules of src/, checked from its own includes.

Every module (a .h/.cpp pair) has a tier; a module includes only modules of
its own tier or below, never in a circle. The reading engine includes nothing
but itself and the standard library; the Qt-free modules name no Qt header.

    check_layers.py SRC_DIR        exits 1 and lists what breaks a rule
"""

import pathlib
import re
import sys

# Lowest first: pure logic and the platform's interfaces, the Qt-backed
# services, the procedures of the modules, the widget kit, the windows, and
# start-up, which opens the main window.
TIERS = [
    ("reading/", 0),
    ("platform/qt/", 1),
    ("platform/", 0),
    ("Hosts", 0),
    ("app/Settings", 2),
    ("app/UpdateReminder", 2),
    ("app/Shutdown", 2),
    ("outreach/Links", 2),
    ("outreach/TellAFriend", 2),
    ("ui/Accessible", 3),
    ("ui/Layout", 3),
    ("ui/LinkLabel", 3),
    ("ui/Images", 3),
    ("ui/Form", 3),
    ("outreach/frmNagScreen2", 4),
    ("ui/frmAbout", 4),
    ("ui/frmMain", 5),
    ("app/Startup", 6),
    ("main", 7),
]

QT_FREE = ("reading/", "platform/", "app/Settings", "app/UpdateReminder", "outreach/Links",
           "outreach/TellAFriend")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def module_of(path):
    return re.sub(r"(_posix|_win32)?\.(h|cpp|h\.in)$", "", path)


def tier_of(module):
    for prefix, tier in TIERS:
        if module.startswith(prefix):
            return tier
    return None


def main(src):
    root = pathlib.Path(src)
    edges = {}
    faults = []
    for file in sorted(root.rglob("*")):
        if file.suffix not in (".h", ".cpp", ".in"):
            continue
        path = file.relative_to(root).as_posix()
        module = module_of(path)
        tier = tier_of(module)
        if tier is None:
            faults.append(f"{path}: in no tier")
            continue
        for kind, target in INCLUDE.findall(file.read_text(encoding="utf-8")):
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
            other_tier = tier_of(other)
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
