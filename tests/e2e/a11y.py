#!/usr/bin/python3
"""Reads and drives Quillet as a screen reader would, through AT-SPI.

  a11y.py tree           the window and its buttons, as assistive technology sees them
  a11y.py press NAME     presses the button named through its action
  a11y.py told           prints what the window's notification in view says: the newest count
  a11y.py history        prints what each notification the window keeps says, oldest first
  a11y.py idle           waits until no run draws: Retry enabled, the status bar telling a count
Exits non-zero, with a line on stderr, where anything is not as it should be.
"""
import sys
import time

import pyatspi


def fail(what):
    print("FAIL: " + what, file=sys.stderr)
    sys.exit(1)


def quillet(timeout=60):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Quillet" and app.childCount > 0:
                return app[0]
        time.sleep(0.2)
    fail("no Quillet window on the accessibility bus")


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def button(window, name):
    for child in window:
        if child is not None and child.name == name:
            return child
    fail("no button named " + name)


def tree():
    window = quillet()
    print(f"{window.getRoleName()} {window.name!r}: {window.description!r} {sorted(states(window))}")
    if window.getRoleName() != "frame" or window.name != "Quillet":
        fail(f"the window is a {window.getRoleName()} named {window.name!r}, not the frame 'Quillet'")
    for child in window:
        print(f"  {child.getRoleName()} {child.name!r}: {child.description!r} {sorted(states(child))}")
    for name in ("Retry", "End"):
        b = button(window, name)
        # AT-SPI named the role "push button" before version 2.50, "button" since.
        if b.getRoleName() not in ("push button", "button") or "enabled" not in states(b):
            fail(f"{name} is a {b.getRoleName()} with states {sorted(states(b))}")
    # The window manager activates the window in its own time.
    end = time.time() + 60
    while "focused" not in states(button(window, "Retry")):
        if time.time() > end:
            fail(f"the keyboard focus is not on Retry after the first run (window: {sorted(states(window))})")
        time.sleep(0.1)


def idle():
    window = quillet()
    end = time.time() + 60
    while True:
        status = [c.name for c in window if c is not None and c.getRoleName() == "status bar"]
        if "enabled" in states(button(window, "Retry")) and status and status[0].startswith("A nearest-site"):
            return
        if time.time() > end:
            fail(f"a run still draws: status bar {status}, Retry {sorted(states(button(window, 'Retry')))}")
        time.sleep(0.1)


def press(name):
    window = quillet()
    try:
        button(window, name).queryAction().doAction(0)
    except Exception:  # the program may be gone before it answers
        pass


def told():
    window = quillet()
    shown = [c.name for c in window if c is not None and c.getRoleName() == "notification"
             and "showing" in states(c)]
    if len(shown) != 1:
        fail(f"{len(shown)} notifications in view, not one")
    # The newest count: the one the status bar says, in the active window.
    status = [c.name for c in window if c is not None and c.getRoleName() == "status bar"]
    if status != shown:
        fail(f"the notification in view says {shown[0]!r}, the status bar {status}")
    if "active" not in states(window):
        fail(f"the window is not active: {sorted(states(window))}")
    print(shown[0])


def history():
    window = quillet()
    for c in window:
        if c is not None and c.getRoleName() == "notification":
            print(c.name)


if __name__ == "__main__":
    if sys.argv[1:] == ["tree"]:
        tree()
    elif sys.argv[1:] == ["told"]:
        told()
    elif sys.argv[1:] == ["history"]:
        history()
    elif sys.argv[1:] == ["idle"]:
        idle()
    elif len(sys.argv) == 3 and sys.argv[1] == "press":
        press(sys.argv[2])
    else:
        fail("usage: a11y.py tree | press NAME | told | history | idle")
