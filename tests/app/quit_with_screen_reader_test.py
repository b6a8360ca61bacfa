#!/usr/bin/python3
"""Quitting while a screen reader listens ends Fendry normally, with exit status 0.

Run on a display and a session bus of its own (xvfb-run, dbus-run-session); argv[1] is fendry.
A screen reader registers for events, as this test does: Qt's AT-SPI bridge then reports every
change, also while the window is taken down.
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi


def find(node, role, name):
    return pyatspi.findDescendant(node, lambda n: n.getRole() == role and n.name == name)


def wait_for(what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = what()
        except Exception:  # the tree changes while it is read
            found = None
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit("not found in time")


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press"))


pyatspi.Registry.registerEventListener(lambda event: None, "object:state-changed")
pyatspi.Registry.registerEventListener(lambda event: None, "object:children-changed")

with tempfile.TemporaryDirectory() as home:
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       XDG_CONFIG_HOME=home, XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="xcb")
    fendry = subprocess.Popen([sys.argv[1], sys.argv[0]], env=environment)
    desktop = pyatspi.Registry.getDesktop(0)
    application = wait_for(lambda: next(a for a in desktop if a and a.name == "Fendry"))
    # The menu title's "Press" opens its menu, whose items only then appear; the item's "Press"
    # does the command.
    press(wait_for(lambda: find(application, pyatspi.ROLE_MENU_ITEM, "Fendry")))
    press(wait_for(lambda: find(application, pyatspi.ROLE_MENU_ITEM, "Quit Fendry")))
    try:
        status = fendry.wait(timeout=30)
    except subprocess.TimeoutExpired:
        fendry.kill()
        sys.exit("Fendry did not quit")
    print("exit status", status)
    sys.exit(0 if status == 0 else 1)
