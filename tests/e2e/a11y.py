#!/usr/bin/python3
"""Reads and drives Quillet as a screen reader would, through AT-SPI.

  a11y.py tree           the window and its buttons, as assistive technology sees them
  a11y.py press Retry    presses Retry through its action; the window must tell of
                         its description changing twice (drawing, then done) and
                         end with "A nearest-site diagram of N sites"
  a11y.py press End      presses End through its action
Exits non-zero, with a line on stderr, where anything is not as it should be.
"""
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(what):
    print("FAIL: " + what, file=sys.stderr)
    sys.exit(1)


def quillet(timeout=10):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Quillet" and app.childCount > 0:
                window = app[0]
                if window.description.startswith("A nearest-site diagram of "):
                    return window
        time.sleep(0.2)
    fail("no Quillet window with a finished diagram on the accessibility bus")


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def button(window, name):
    for child in window:
        if child is not None and child.name == name:
            return child
    fail("no button named " + name)


def tree():
    window = quillet()
    print(f"{window.getRoleName()} {window.name!r}: {window.description!r}")
    if window.getRoleName() != "frame" or window.name != "Quillet":
        fail(f"the window is a {window.getRoleName()} named {window.name!r}, not the frame 'Quillet'")
    for child in window:
        print(f"  {child.getRoleName()} {child.name!r}: {child.description!r} {sorted(states(child))}")
    for name in ("Retry", "End"):
        b = button(window, name)
        if b.getRoleName() != "push button" or "enabled" not in states(b):
            fail(f"{name} is a {b.getRoleName()} with states {sorted(states(b))}")
    # The window manager activates the window in its own time.
    end = time.time() + 5
    while "focused" not in states(button(window, "Retry")):
        if time.time() > end:
            fail(f"the keyboard focus is not on Retry after the first run (window: {sorted(states(window))})")
        time.sleep(0.1)


def press(name):
    window = quillet()
    told = []

    def on_description(event):
        told.append(event.source.name if event.source else None)

    pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")

    def act():
        try:
            button(window, name).queryAction().doAction(0)
        except Exception:  # the program may be gone before it answers
            pass
        return False

    GLib.timeout_add(300, act)
    GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    print(f"told: {told}")
    if name == "Retry":
        if told != ["Quillet", "Quillet"]:
            fail(f"told of {told}, not of the window's description changing twice")
        if not window.description.startswith("A nearest-site diagram of "):
            fail(f"the description after the run: {window.description!r}")
        print(f"description now: {window.description!r}")


if __name__ == "__main__":
    if sys.argv[1:] == ["tree"]:
        tree()
    elif len(sys.argv) == 3 and sys.argv[1] == "press":
        press(sys.argv[2])
    else:
        fail("usage: a11y.py tree | press NAME")
