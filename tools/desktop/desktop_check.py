#!/usr/bin/python3
"""A calculator on a real display, checked through the screen's pixels.

  desktop_check.py PROGRAM CAPTION CALC_DRIVE ARTIFACT_DIR

Runs PROGRAM on a private Xvfb display with the openbox window manager and
drives it with real key and mouse events (xdotool), as a person would:
  - the window appears captioned CAPTION at its designed outer rectangle
    (frame included), which calc-drive reports from the form description;
  - a text that is no number in the first edit, then a mouse click on the
    first button, shows the failure box, painted (icon, text, button: light
    and dark pixels, not a black or empty area); Enter dismisses it; Enter
    again shows it again, since the focus is back on the button; Enter
    dismisses it, and the window takes input again;
  - with the text put back, a click computes: the first memo shows lines;
  - Ctrl+V and the context menu's Paste with an empty clipboard change no
    edit and no memo; with text on the clipboard, Ctrl+V puts it in;
  - the program lives throughout and still answers the window manager.
Screenshots of the window and of the window with its box are kept in
ARTIFACT_DIR as <CAPTION>-window.png and <CAPTION>-box.png.
"""

import json
import subprocess
import sys
import tempfile
import time

from desktop import (Desktop, answers_ping, client_origin, client_rect, find_window,
                     find_windows, outer_rect)

# Pixels that may differ between two looks at an unchanged window: a text
# caret blinking in the focused field.
CARET_PIXELS = 120


class Failed(Exception):
    pass


def layout_of(calc_drive, caption):
    answer = subprocess.run([calc_drive], input=json.dumps({"program": caption}) + "\n",
                            capture_output=True, text=True, timeout=60,
                            env={"QT_QPA_PLATFORM": "offscreen", "LC_ALL": "C"}).stdout
    return json.loads(answer.splitlines()[0])


def first_of(layout, kind):
    controls = [(c["tab"], name, c) for name, c in layout.items() if c["kind"] == kind]
    return min(controls)[1:] if controls else (None, None)


def wait_for(condition, seconds=5.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


def difference(a, b):
    return sum(1 for ra, rb in zip(a, b) for pa, pb in zip(ra, rb) if pa != pb)


def painted(pixels):
    """A painted box: mostly light background with dark text, not one colour."""
    flat = [p for row in pixels for p in row]
    light = sum(1 for p in flat if min(p) > 200)
    dark = sum(1 for p in flat if max(p) < 90)
    return light > 0.4 * len(flat) and dark > 0.005 * len(flat)


class Session:
    def __init__(self, desk, app, window, caption, layout):
        self.desk, self.app, self.window, self.layout = desk, app, window, layout
        self.caption = caption
        self.origin = client_origin(desk, window)

    def alive(self, step):
        if self.app.poll() is not None:
            raise Failed(f"the program ended (exit status {self.app.returncode}) at: {step}")

    def centre(self, control):
        x, y, w, h = control["rect"]
        return self.origin[0] + x + w // 2, self.origin[1] + y + h // 2

    def click(self, control, button=1):
        x, y = self.centre(control)
        self.desk.xdo("mousemove", str(x), str(y), "click", str(button))
        time.sleep(0.15)

    def keys(self, *keys):
        for k in keys:
            self.desk.xdo("key", "--delay", "20", k)
            time.sleep(0.1)

    def type(self, text):
        self.desk.xdo("type", "--delay", "20", "--", text)
        time.sleep(0.1)

    def window_pixels(self):
        return self.desk.pixels(*client_rect(self.desk, self.window))

    def box(self):
        others = [w for w in find_windows(self.desk, self.caption)
                  if w != self.window]
        return others[0] if others else None

    def expect_painted_box(self, how, artifact=None):
        if not wait_for(lambda: self.box() is not None):
            raise Failed(f"no failure box after {how}")
        box = self.box()
        time.sleep(0.3)
        if not painted(self.desk.pixels(*client_rect(self.desk, box))):
            raise Failed(f"the failure box after {how} is not painted on the screen")
        if artifact:
            wx, wy, ww, wh = outer_rect(self.desk, self.window)
            bx, by, bw, bh = outer_rect(self.desk, box)
            left, top = min(wx, bx), min(wy, by)
            right, bottom = max(wx + ww, bx + bw), max(wy + wh, by + bh)
            self.desk.screenshot(artifact, (left, top, right - left, bottom - top))
        self.keys("Return")
        if not wait_for(lambda: self.box() is None):
            raise Failed(f"Enter did not dismiss the box after {how}")
        time.sleep(0.5)  # the window manager gives the window back its focus


def check(program, caption, calc_drive, artifacts):
    layout = layout_of(calc_drive, caption)
    desk = Desktop()
    output = tempfile.TemporaryFile(mode="w+")
    app = subprocess.Popen([program], env=desk.env, stdout=output, stderr=subprocess.STDOUT)
    try:
        window = find_window(desk, caption, app)
        if window is None:
            raise Failed("the window did not appear")
        designed = tuple(layout["window"]["rect"])
        if not wait_for(lambda: outer_rect(desk, window) == designed):
            raise Failed(f"the window stands at {outer_rect(desk, window)}, designed {designed}")
        s = Session(desk, app, window, caption, layout["layout"])
        time.sleep(0.5)
        desk.screenshot(f"{artifacts}/{caption}-window.png", designed)

        edit_name, edit = first_of(s.layout, "edit")
        button_name, button = first_of(s.layout, "button")
        memo_name, memo = first_of(s.layout, "memo")

        # A failure from the mouse, then from the keyboard on the button that
        # keeps the focus.
        s.click(edit)
        s.keys("ctrl+a")
        s.type("abc")
        s.click(button)
        s.expect_painted_box(f"a click on {button_name}", f"{artifacts}/{caption}-box.png")
        s.alive("the box from the mouse")
        s.keys("Return")
        s.expect_painted_box(f"Enter on {button_name}")
        s.alive("the box from the keyboard")

        # The window takes input again and computes.
        x, y, w, h = memo["rect"]
        ox, oy = s.origin
        before = desk.pixels(ox + x + 4, oy + y + 4, w - 8, h - 8)
        s.click(edit)
        s.keys("ctrl+a")
        s.type(edit["text"])
        s.click(button)
        time.sleep(0.5)
        if s.box() is not None:
            desk.screenshot(f"{artifacts}/{caption}-unexpected-box.png")
            raise Failed("the calculation with the text put back failed")
        after = desk.pixels(ox + x + 4, oy + y + 4, w - 8, h - 8)
        if difference(before, after) < 200:
            raise Failed(f"{memo_name} shows no computed lines")

        # An empty clipboard: Ctrl+V and the context menu's Paste change nothing.
        # (a new display's clipboard holds nothing, and nothing here copied)
        for name, control in s.layout.items():
            if control["kind"] not in ("edit", "memo") or not control["enabled"]:
                continue
            s.click(control)
            look = s.window_pixels()
            s.keys("ctrl+v")
            s.alive(f"Ctrl+V into {name}")
            s.click(control, button=3)
            s.keys("p", "Escape")
            s.alive(f"the context menu's Paste in {name}")
            changed = difference(look, s.window_pixels())
            if changed > CARET_PIXELS:
                raise Failed(f"pasting an empty clipboard into {name} changed {changed} pixels")

        # Text on the clipboard arrives.
        subprocess.Popen(["xclip", "-selection", "clipboard"], stdin=subprocess.PIPE,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         env=desk.env).communicate(b"9876")
        for control in (edit, memo):
            s.click(control)
            s.keys("End")
            look = s.window_pixels()
            s.keys("ctrl+v")
            time.sleep(0.2)
            if difference(look, s.window_pixels()) <= CARET_PIXELS:
                raise Failed("text on the clipboard did not arrive")
        s.alive("the pastes")
        if not answers_ping(desk, window):
            raise Failed("the window does not answer the window manager's ping")
    finally:
        if app.poll() is None:
            app.terminate()
            app.wait(timeout=10)
        desk.close()
        output.seek(0)
        printed = output.read()
        if printed.strip():
            print(f"{caption} printed:\n{printed[-3000:]}")


def main():
    program, caption, calc_drive, artifacts = sys.argv[1:5]
    try:
        check(program, caption, calc_drive, artifacts)
    except Failed as e:
        print(f"desktop_check: {caption}: FAILED: {e}", file=sys.stderr)
        return 1
    print(f"desktop_check: {caption}: window, box, memo and pastes as a person sees them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
