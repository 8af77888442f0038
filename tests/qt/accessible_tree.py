"""Reads the settings window as a screen reader does, through AT-SPI, and checks it.

  accessible_tree.py controls PID   every control of the window: role, name, label, states
  accessible_tree.py alert PID TITLE TEXT   a message box: an alert with its title and text

Polls until the check passes or the time is up, then prints what differs. Needs the system's
python3 with pyatspi, on the session bus of the running program.
"""

import sys
import time

import pyatspi

TIMEOUT_SECONDS = 20
TITLE = "Krovan 3D Configuration Utility 1.0"
ON, ENABLED = "checked", "enabled"

# role, name, the name of its label (its first labelled-by target), states it has, states it
# lacks. A drop-down list is named by its current text; its label says which list it is. At
# start-up without a file the Classic keys are shown and the key lists are locked.
CONTROLS = [
    ("panel", "Screen Mode", None, (), ()),
    ("panel", "Details", None, (), ()),
    ("panel", "Controls", None, (), ()),
    ("radio button", "Full Screen", "Screen Mode", (ON,), ()),
    ("radio button", "Windowed", "Screen Mode", (), (ON,)),
    ("radio button", "Low", "Details", (ON,), ()),
    ("radio button", "High", "Details", (), (ON,)),
    ("radio button", "Classic", "Controls", (ON,), ()),
    ("radio button", "Enhanced", "Controls", (), (ON,)),
    ("radio button", "Custom", "Controls", (), (ON,)),
    ("check box", "Antialiasing", None, (), (ON,)),
    ("check box", "Dithering", None, (ON,), ()),
    ("check box", "W-Buffering", None, (ON,), ()),
    ("check box", "Debug Info", None, (), (ON,)),
    ("push button", "Reset High Scores", None, ("focusable",), ()),
    ("push button", "OK", None, ("focusable",), ()),
    ("push button", "Cancel", None, ("focusable",), ()),
    ("combo box", "16-bit", "Color Depth", (ENABLED,), ()),
    ("combo box", "E", "Black Tank Move Up", (), (ENABLED,)),
    ("combo box", "D", "Black Tank Move Right", (), (ENABLED,)),
    ("combo box", "X", "Black Tank Move Down", (), (ENABLED,)),
    ("combo box", "S", "Black Tank Move Left", (), (ENABLED,)),
    ("combo box", "Q", "Black Tank Fire", (), (ENABLED,)),
    ("combo box", "I", "White Tank Move Up", (), (ENABLED,)),
    ("combo box", "K", "White Tank Move Right", (), (ENABLED,)),
    ("combo box", "M", "White Tank Move Down", (), (ENABLED,)),
    ("combo box", "J", "White Tank Move Left", (), (ENABLED,)),
    ("combo box", "Return/Enter", "White Tank Fire", (), (ENABLED,)),
    ("slider", "Sound Volume", "Sound Volume", ("focusable",), ()),
    ("label", "Color Depth", None, (), ()),
    ("label", "Sound Volume", None, (), ()),
    ("label", "Black Tank:", "Controls", (), ()),
    ("label", "White Tank:", "Controls", (), ()),
] + [("label", f"{tank} Tank {action}", "Controls", (), ())
     for tank in ("Black", "White")
     for action in ("Move Up", "Move Right", "Move Down", "Move Left", "Fire")]

# The slider's value, range and arrow-key step.
SLIDER_VALUE = (75, 0, 100, 1)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def role_of(node):
    """The role by the name of its constant, "push button" for ROLE_PUSH_BUTTON: the names that
    getRoleName() gives change between AT-SPI versions (2.56 calls a push button "button")."""
    return str(pyatspi.Role(int(node.getRole())))[len("ROLE_"):].lower().replace("_", " ")


def descendants(node):
    """Every object below `node`, not looking into the drop-down lists' item lists."""
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        yield child
        if role_of(child) != "combo box":
            yield from descendants(child)


def label_of(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return None


def states(node):
    return {pyatspi.stateToString(state) for state in node.getState().getStates()}


def check_controls(app):
    """The differences between the window's accessible tree and CONTROLS."""
    dialogs = [child for child in descendants(app) if child.name == TITLE]
    if [role_of(dialog) for dialog in dialogs] != ["dialog"]:
        return [f"no one dialog titled {TITLE!r}: roles {[role_of(d) for d in dialogs]}"]
    found = {}
    for node in descendants(dialogs[0]):
        key = (role_of(node), node.name, label_of(node))
        found.setdefault(key, []).append(node)
    problems = []
    for role, name, label, present, absent in CONTROLS:
        nodes = found.pop((role, name, label), [])
        if len(nodes) != 1:
            problems.append(f"{len(nodes)} x {role} {name!r} labelled by {label!r}")
            continue
        have = states(nodes[0])
        problems += [f"{role} {name!r} is not {state}" for state in present if state not in have]
        problems += [f"{role} {name!r} is {state}" for state in absent if state in have]
        if role == "slider":
            value = nodes[0].queryValue()
            seen = (value.currentValue, value.minimumValue, value.maximumValue,
                    value.minimumIncrement)
            if seen != SLIDER_VALUE:
                problems.append(f"slider value, range, step {seen}, not {SLIDER_VALUE}")
    problems += [f"unexpected {role} {name!r} labelled by {label!r}" for role, name, label in found]
    return problems


def check_alert(app, title, text):
    for node in descendants(app):
        if role_of(node) == "alert" and node.name == title:
            if any(child.name == text for child in descendants(node)):
                return []
            return [f"alert {title!r} does not read {text!r}"]
    return [f"no alert titled {title!r}"]


def main():
    mode, pid = sys.argv[1], int(sys.argv[2])
    deadline = time.monotonic() + TIMEOUT_SECONDS
    problems = ["the program did not register with the accessibility bus"]
    while time.monotonic() < deadline:
        app = application(pid)
        if app is not None:
            try:
                problems = (check_controls(app) if mode == "controls" else
                            check_alert(app, sys.argv[3], sys.argv[4]))
            except Exception as error:  # the tree changed while it was read
                problems = [f"reading the tree failed: {error}"]
            if not problems:
                print(f"{mode}: as expected")
                return 0
        time.sleep(0.2)
    print("\n".join(f"FAILED: {problem}" for problem in problems), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
