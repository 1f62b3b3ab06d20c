"""Pastes with nothing on the X11 clipboard or selection, as a user does after logging in or after
the program that copied has quit: Ctrl+V, Shift+Insert and a middle click, into a cell and into
the Description window's text. The program must go on running with the table as it was typed.

Usage: empty_clipboard.py PATH-TO-VANTREL (on a fresh display, with the accessibility bus running,
where no client owns the clipboard or the selection).
"""

import os
import subprocess
import sys
import time

import pyatspi

from drive import (Failure, about_window, children, descendants, focused, grid, key, main_window, the_app,
                   text_of, type_text, wait_for)

# Where the help picture lies relative to the first cell, in the window's own coordinates.
QUESTION_MARK_FROM_FIRST_CELL = (255 - 61, 452 - 122)


def corner(acc):
    x, y, _, _ = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x, y


def middle(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def click(x, y, button):
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button)],
                   check=True)


def pastes_into(program, what, at):
    """The three pastes, with the program still running after each."""
    for name, act in (("Ctrl+V", lambda: key("ctrl+v")),
                      ("Shift+Insert", lambda: key("shift+Insert")),
                      ("a middle click", lambda: click(*at, 2))):
        act()
        time.sleep(0.5)  # let the program take the paste, or crash on it
        if program.poll() is not None:
            raise Failure("%s into %s ended the program with status %d"
                          % (name, what, program.returncode))
        print("%s into %s: still running" % (name, what))


def description_text(app):
    """The Description window's text: its multi-line field that the user can edit."""
    for frame in children(app):
        if frame is not None and frame.name == "Description":
            for d in descendants(frame):
                states = d.getState()
                if d.getRole() == pyatspi.ROLE_TEXT and states.contains(
                        pyatspi.STATE_MULTI_LINE) and states.contains(pyatspi.STATE_EDITABLE):
                    return d
    return None


def drive(program):
    app = wait_for("the program on the accessibility bus", lambda: the_app(program.pid))
    wait_for("the About window", lambda: about_window(app))
    window = wait_for("the main window after the hand-over",
                      lambda: main_window(app) if not about_window(app) else None)
    cells = grid(window)
    first = cells[0][0]
    wait_for("the focus in the first cell", lambda: focused(first), timeout=10)
    type_text("7")
    wait_for("the first cell to read 7", lambda: text_of(first) == "7", timeout=10)

    pastes_into(program, "a cell", middle(first))
    if text_of(first) != "7":
        raise Failure("the first cell reads %r after the pastes" % text_of(first))

    x, y = corner(first)
    dx, dy = QUESTION_MARK_FROM_FIRST_CELL
    click(x + dx, y + dy, 1)
    text = wait_for("the Description window's text", lambda: description_text(app))
    before = text_of(text)
    click(*middle(text), 1)  # into the text, as a user does before pasting
    wait_for("the focus in the Description text", lambda: focused(text), timeout=10)
    pastes_into(program, "the Description text", middle(text))
    if text_of(text) != before:
        raise Failure("the Description text changed")
    if text_of(first) != "7":
        raise Failure("the first cell reads %r at the end" % text_of(first))
    print("the table and the Description text are as they were")

    key("ctrl+q")
    try:
        status = program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("Ctrl+Q did not end the program")
    if status != 0:
        raise Failure("exit status %d after Ctrl+Q" % status)


def main():
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        drive(program)
    except Failure as failure:
        print("FAILED:", failure, file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("e2e passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
