"""Drives the running program as a user would and checks what it shows.

Starts the built executable, waits for the About window, sees the main window come up when the
About window's timer hands over, and from then on uses the keyboard only (xdotool key presses
through the X server, never the pointer): types the 2 x 2 table 10, 20 / 30, 40 into the grid,
starting in the first cell, which has the focus, moving on with Tab; Tabs to "Calculate" and
presses Space; reads the four result lines back from the running program through AT-SPI; quits
with Ctrl+Q and checks the exit status.

Usage: drive.py PATH-TO-VANTREL (on a display, with the accessibility bus running).
"""

import os
import subprocess
import sys
import time

import pyatspi

TABLE = [["10", "20"], ["30", "40"]]
EXPECTED = {
    "Chi-square = .794  (df = 1, p = .3730)",
    "Contingency coefficient = .089",
    "Phi coefficient = .089",
    "Kappa = -.087",
}
RESULT_PREFIXES = ("Chi-square = ", "Contingency coefficient = ", "Phi coefficient = ", "Kappa = ")

# Generous: start-up under a sanitizer is slow, and the hand-over takes 4 s by itself.
TIMEOUT = 60


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it gives something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.2)


def children(acc):
    acc.clear_cache()
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def descendants(acc):
    for child in children(acc):
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def the_app(pid):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def frames(app):
    """The program's top-level windows (plain Qt windows come out as fillers, not frames)."""
    return [f for f in children(app) if f is not None]


def about_window(app):
    """The About window: untitled, showing the notice that names the authors."""
    for frame in frames(app):
        if showing(frame) and any(
            d.getRole() == pyatspi.ROLE_LABEL and "the Vantrel authors" in (d.name or "")
            for d in descendants(frame)
        ):
            return frame
    return None


def main_window(app):
    for frame in frames(app):
        if frame.name == "Vantrel" and showing(frame):
            return frame
    return None


def centre(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "50", text], check=True)


def focused(acc):
    acc.clear_cache()
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


def text_of(acc):
    acc.clear_cache()
    return acc.queryText().getText(0, -1)


def grid(frame):
    """The cells, row by row: the one-line fields of the main window ordered by position."""
    cells = [d for d in descendants(frame) if d.getRole() == pyatspi.ROLE_TEXT]
    if len(cells) != 100:
        raise Failure("expected 100 cells, found %d" % len(cells))
    placed = sorted(cells, key=lambda c: tuple(reversed(centre(c))))
    return [placed[r * 10 : r * 10 + 10] for r in range(10)]


def result_lines(frame):
    lines = set()
    for d in descendants(frame):
        if d.getRole() == pyatspi.ROLE_LABEL and showing(d):
            d.clear_cache()
            if (d.name or "").startswith(RESULT_PREFIXES):
                lines.add(d.name)
    return lines


def drive(program):
    app = wait_for("the program on the accessibility bus", lambda: the_app(program.pid))

    wait_for("the About window", lambda: about_window(app))
    if main_window(app):
        raise Failure("the main window is there before the hand-over")
    print("About window shown; waiting for the hand-over")

    window = wait_for(
        "the main window after the hand-over",
        lambda: main_window(app) if not about_window(app) else None,
    )
    print("main window shown, About window hidden")

    cells = grid(window)
    wait_for("the focus in the first cell", lambda: focused(cells[0][0]), timeout=10)
    print("the first cell has the focus")

    # Row by row: Tab goes on to the next cell, across the ten columns of the grid.
    for r, row in enumerate(TABLE):
        for c, count in enumerate(row):
            wait_for("the focus in cell %d,%d" % (r + 1, c + 1), lambda: focused(cells[r][c]),
                     timeout=10)
            type_text(count)
            wait_for("cell %d,%d to read %s" % (r + 1, c + 1, count),
                     lambda: text_of(cells[r][c]) == count, timeout=10)
            if c + 1 < len(row):
                key("Tab")
        if r + 1 < len(TABLE):
            key(*["Tab"] * (10 - len(row) + 1))
    print("typed", TABLE)

    calculate = wait_for(
        "the Calculate button",
        lambda: next(
            (d for d in descendants(window)
             if d.getRole() == pyatspi.ROLE_PUSH_BUTTON and d.name == "Calculate"),
            None,
        ),
    )
    # From the last cell typed in, past the rest of the grid, to the button.
    last_r, last_c = len(TABLE), len(TABLE[-1])
    key(*["Tab"] * ((10 - last_r) * 10 + (10 - last_c) + 1))
    wait_for("the focus on Calculate", lambda: focused(calculate), timeout=10)
    key("space")
    try:
        wait_for("the result lines", lambda: result_lines(window) == EXPECTED, timeout=15)
    except Failure:
        raise Failure("result lines read %s, expected %s" % (sorted(result_lines(window)),
                                                            sorted(EXPECTED)))
    for line in sorted(EXPECTED):
        print("read:", line)

    key("ctrl+q")
    try:
        status = program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("Ctrl+Q did not end the program")
    if status != 0:
        raise Failure("exit status %d after Ctrl+Q" % status)
    print("quit with Ctrl+Q, exit status 0")


def main():
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)  # the real X display, not the headless platform
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
