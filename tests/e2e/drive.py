"""Drives the running program as a user would and checks what it shows.

Each scenario starts the built executable on a display with a window manager and reads the
program back through the accessibility interface (AT-SPI); keys go in through the X server with
xdotool.

session: sees the About window, a frame named "Vantrel", hand over to the main window when its
timer fires, and from then on uses the keyboard: types the 2 x 2 table 10, 20 / 30, 40 into the
grid, starting in the first cell, which has the focus, moving on with Tab; Tabs to "Calculate"
and presses Space; reads the four result lines back. Then it clicks the question mark: the
Description window opens with the focus in its text and the heading selected, and Ctrl+C copies
the heading. It minimises the Description window and clicks the question mark again: the window
comes back, active, with the focus in its text. The three windows are frames named by their
titles, the untitled About window by the program's name. Quits with Ctrl+Q and checks the exit
status.

keys: one start per key (F10, Alt+W, a letter). The key pressed in the About window brings up
the main window at once, before the window's own timer could, and opens no menu; then Ctrl+Q
quits. A start too slow to tell the key from the timer is made again, a few times at most.

empty_clipboard: with nothing owning the clipboard or the selection, as after a login or once
the program that copied has quit, it types a count into the first cell and pastes by Ctrl+V,
Shift+Insert and a middle click into that cell, then into the Description window's text. The
program must go on running after each, and the cell and the text stay as they were.

Usage: drive.py PATH-TO-VANTREL session|keys|empty_clipboard (on a display with a window manager, with the
accessibility bus running).
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
NOTICE = "the Vantrel authors"
HEADING = "Vantrel"  # the first line of the description
HELP_PICTURE_SIZE = (27, 32)
HAND_OVER_KEYS = ["F10", "alt+w", "x"]

# Generous: start-up under a sanitizer is slow, and the hand-over takes 4 s by itself.
TIMEOUT = 60


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it gives something true; returns that. A Failure it raises stands."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except Failure:
            raise
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


def has_state(acc, state):
    acc.clear_cache()
    return acc.getState().contains(state)


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def focused(acc):
    return has_state(acc, pyatspi.STATE_FOCUSED)


def the_app(pid):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def frames(app):
    """The program's top-level windows."""
    return [f for f in children(app) if f is not None]


def is_about(frame):
    return any(
        d.getRole() == pyatspi.ROLE_LABEL and NOTICE in (d.name or "") for d in descendants(frame)
    )


def about_window(app):
    """The About window, while it shows: the one with the notice that names the authors."""
    return next((f for f in frames(app) if showing(f) and is_about(f)), None)


def main_window(app):
    return next(
        (f for f in frames(app) if f.name == "Vantrel" and showing(f) and not is_about(f)), None
    )


def description_window(app):
    return next((f for f in frames(app) if f.name == "Description"), None)


def check_frame(window, name):
    if window.getRole() != pyatspi.ROLE_FRAME or window.name != name:
        raise Failure(
            "a window is a %s named %r, not a frame named %r"
            % (window.getRoleName(), window.name, name)
        )


def menu_engaged(app):
    """A menu bar or one of its menus has the keyboard: a key opened a menu."""
    for frame in frames(app):
        for bar in children(frame):
            if bar is None or bar.getRole() != pyatspi.ROLE_MENU_BAR:
                continue
            if focused(bar) or any(m is not None and focused(m) for m in children(bar)):
                return True
    return False


def centre(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def size(acc):
    _, _, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return w, h


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "50", text], check=True)


def click(acc):
    x, y = centre(acc)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def xdotool_output(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return done.stdout.split() if done.returncode == 0 else []


def clipboard(selection="clipboard"):
    """The text on the clipboard (or the selection), None when nobody offers any."""
    done = subprocess.run(
        ["xclip", "-o", "-selection", selection], capture_output=True, text=True, timeout=10
    )
    return done.stdout if done.returncode == 0 else None


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


def start(exe):
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)  # the real X display, not the headless platform
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    return subprocess.Popen([exe], env=env)


def quit_with_ctrl_q(program):
    key("ctrl+q")
    try:
        status = program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("Ctrl+Q did not end the program")
    if status != 0:
        raise Failure("exit status %d after Ctrl+Q" % status)


def the_about_window_first(program):
    app = wait_for("the program on the accessibility bus", lambda: the_app(program.pid))
    about = wait_for("the About window", lambda: about_window(app))
    check_frame(about, "Vantrel")
    if main_window(app):
        raise Failure("the main window is there before the hand-over")
    return app, about


def typed_table(window):
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


def focused_text(window):
    """The text field of the window that has the keyboard focus, or None."""
    return next(
        (d for d in descendants(window) if d.getRole() == pyatspi.ROLE_TEXT and focused(d)), None
    )


def description_in_front(app):
    """The Description window shown, active and with the focus in its text, which the user can
    edit; returns the text field."""
    window = description_window(app)
    if not window or not showing(window) or not has_state(window, pyatspi.STATE_ACTIVE):
        return None
    text = focused_text(window)
    return text if text is not None and has_state(text, pyatspi.STATE_EDITABLE) else None


def help_picture_of(main):
    return wait_for(
        "the help picture",
        lambda: next(
            (d for d in descendants(main)
             if d.getRole() == pyatspi.ROLE_FILLER and size(d) == HELP_PICTURE_SIZE),
            None,
        ),
    )


def description_window_checks(app, main):
    help_picture = help_picture_of(main)
    click(help_picture)
    text = wait_for("the Description window with the focus in its text",
                    lambda: description_in_front(app))
    check_frame(description_window(app), "Description")
    selection = text.queryText().getSelection(0)
    if tuple(selection) != (0, len(HEADING)):
        raise Failure("the selection is %s, not the heading" % (tuple(selection),))
    key("ctrl+c")
    wait_for("Ctrl+C to copy the heading", lambda: clipboard() == HEADING, timeout=10)
    print("Description window: the focus in its text, Ctrl+C copied %r" % HEADING)

    ids = xdotool_output("search", "--onlyvisible", "--name", "^Description$")
    if len(ids) != 1:
        raise Failure("expected one Description window on the display, found %d" % len(ids))
    subprocess.run(["xdotool", "windowminimize", "--sync", ids[0]], check=True)
    wait_for("the Description window minimised",
             lambda: not xdotool_output("search", "--onlyvisible", "--name", "^Description$"),
             timeout=10)
    click(help_picture)
    wait_for("the Description window restored with the focus in its text",
             lambda: description_in_front(app), timeout=10)
    if xdotool_output("getactivewindow") != ids:
        raise Failure("the restored Description window is not the active window")
    print("minimised Description window restored by the question mark, with the focus")


def session(exe):
    program = start(exe)
    try:
        app, about = the_about_window_first(program)
        print("About window shown; waiting for the hand-over")
        window = wait_for(
            "the main window after the hand-over",
            lambda: main_window(app) if not about_window(app) else None,
        )
        check_frame(window, "Vantrel")
        print("main window shown, About window hidden")

        typed_table(window)
        description_window_checks(app, window)
        check_frame(about, "Vantrel")
        print("the windows are frames: About and main window 'Vantrel', 'Description'")

        quit_with_ctrl_q(program)
        print("quit with Ctrl+Q, exit status 0")
    finally:
        stop(program)


# The About window's timer hands over 4 s after the start. A key pressed within KEY_BY seconds
# must have handed over before the timer could: a key that did nothing would leave the window
# to the timer, and a key that opened a menu would show it first.
KEY_BY = 2.0
TIMER = 4.0
KEY_ATTEMPTS = 5


def key_hands_over(exe, pressed):
    """True once the key was judged; False when the start was too slow to tell."""
    program = start(exe)
    started = time.monotonic()
    try:
        app, about = the_about_window_first(program)
        wait_for("the About window to have the keyboard",
                 lambda: has_state(about, pyatspi.STATE_ACTIVE))
        if time.monotonic() - started > KEY_BY:
            return False
        key(pressed)

        def handed_over():
            if menu_engaged(app):
                raise Failure("%s opened a menu in the About window" % pressed)
            return main_window(app) if not about_window(app) else None

        wait_for("the main window after %s" % pressed, handed_over)
        if menu_engaged(app):
            raise Failure("%s opened a menu" % pressed)
        if time.monotonic() - started >= TIMER:
            return False  # seen only once the timer could have done it
        print("%s: the About window handed over at once, no menu opened" % pressed)
        quit_with_ctrl_q(program)
        return True
    finally:
        stop(program)


def keys(exe):
    for pressed in HAND_OVER_KEYS:
        for _ in range(KEY_ATTEMPTS):
            if key_hands_over(exe, pressed):
                break
            print("%s: the start was too slow to tell the key from the timer; again" % pressed)
        else:
            raise Failure("%s: in %d starts, never in time to tell the key from the timer"
                          % (pressed, KEY_ATTEMPTS))


def pastes_from_nobody(program, what, field):
    """Ctrl+V, Shift+Insert and a middle click into the field, which has the focus, with nobody
    owning the clipboard or the selection; the program must live through each."""
    for selection in ("clipboard", "primary"):
        if clipboard(selection) is not None:
            raise Failure("something owns the %s before the pastes into %s" % (selection, what))
    x, y = centre(field)
    for name, act in (
        ("Ctrl+V", lambda: key("ctrl+v")),
        ("Shift+Insert", lambda: key("shift+Insert")),
        ("a middle click", lambda: subprocess.run(
            ["xdotool", "mousemove", str(x), str(y), "click", "2"], check=True)),
    ):
        act()
        time.sleep(0.3)
        # The paste is taken, or the program has crashed on it, once it answers again.
        wait_for("the program to answer after %s" % name,
                 lambda: program.poll() is not None or text_of(field) is not None, timeout=10)
        if program.poll() is not None:
            raise Failure("%s into %s ended the program with status %d"
                          % (name, what, program.returncode))
        print("%s into %s: the program runs on" % (name, what))


def empty_clipboard(exe):
    program = start(exe)
    try:
        app, _ = the_about_window_first(program)
        window = wait_for("the main window after the hand-over",
                          lambda: main_window(app) if not about_window(app) else None)
        first = grid(window)[0][0]
        wait_for("the focus in the first cell", lambda: focused(first), timeout=10)
        type_text("7")
        wait_for("the first cell to read 7", lambda: text_of(first) == "7", timeout=10)
        pastes_from_nobody(program, "a cell", first)
        if text_of(first) != "7":
            raise Failure("the first cell reads %r after the pastes" % text_of(first))

        click(help_picture_of(window))
        text = wait_for("the Description window with the focus in its text",
                        lambda: description_in_front(app))
        # The heading opens selected, and a selection on X11 is what a middle click pastes: a
        # click into the text puts the cursor there instead, as a user does before pasting.
        click(text)
        wait_for("the heading no longer selected",
                 lambda: text.queryText().getNSelections() == 0, timeout=10)
        before = text_of(text)
        pastes_from_nobody(program, "the Description text", text)
        if text_of(text) != before:
            after = text_of(text)
            at = next((i for i, (a, b) in enumerate(zip(after, before)) if a != b),
                      min(len(after), len(before)))
            raise Failure("the Description text changed at %d: %r, was %r"
                          % (at, after[at - 20:at + 20], before[at - 20:at + 20]))
        if text_of(first) != "7":
            raise Failure("the first cell reads %r at the end" % text_of(first))
        print("the cell and the Description text are as they were")
        quit_with_ctrl_q(program)
    finally:
        stop(program)


def stop(program):
    if program.poll() is None:
        program.kill()
        program.wait()


def main():
    exe, scenario = sys.argv[1], sys.argv[2]
    try:
        {"session": session, "keys": keys, "empty_clipboard": empty_clipboard}[scenario](exe)
    except Failure as failure:
        print("FAILED:", failure, file=sys.stderr)
        return 1
    print("e2e %s passed" % scenario)
    return 0


if __name__ == "__main__":
    sys.exit(main())
