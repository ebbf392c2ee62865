#!/usr/bin/python3
"""Random input on a real calculator window, as a restless person gives it.

  monkey.py PROGRAM CAPTION [--events N] [--seed S] [--artifacts DIR]

Starts PROGRAM on a private Xvfb display with the openbox window manager,
waits for its window captioned CAPTION, and sends N real input events
through XTest (xdotool): key presses (Tab, Shift+Tab, Enter, Escape, Space,
arrows, Home/End, the page keys, Backspace/Delete, Ctrl+A/C/X/V/Z), typed
hostile texts, left and right clicks anywhere in the window's client area
(context menus included), and Enter to dismiss boxes. It passes when the
program is alive at the end, its window still answers the window manager's
ping, and the program printed nothing of an exception that reached the event
loop. A failing run prints its seed and the last events, so that
  monkey.py PROGRAM CAPTION --events N --seed S
replays it. The clipboard starts empty, as after a fresh login.
"""

import argparse
import collections
import os
import random
import subprocess
import sys
import tempfile
import time

from desktop import Desktop, answers_ping, find_window

KEYS = ["Tab", "shift+Tab", "Return", "Escape", "space", "Left", "Right", "Up", "Down",
        "Home", "End", "Prior", "Next", "BackSpace", "Delete",
        "ctrl+a", "ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z"]
TEXTS = ["1e400", "1e4999", "-0", "3e-320", "\uff11\uff12\uff13", "\t", "12345678901234567890",
         "1.51633", "64,15", "abc", "-", "1e-4950", "9" * 300, "0.1 ", " ", "1,5e3"]
# What tells that an exception crossed the event loop or the program died badly.
FATAL_OUTPUT = ["Qt has caught an exception", "terminate called", "Segmentation fault",
                "AddressSanitizer", "runtime error:"]


def random_event(rng, width, height):
    kind = rng.random()
    if kind < 0.55:
        return ("key", rng.choice(KEYS))
    if kind < 0.70:
        return ("type", rng.choice(TEXTS))
    if kind < 0.85:
        return ("click", 1, rng.randrange(width), rng.randrange(height))
    if kind < 0.93:
        return ("click", 3, rng.randrange(width), rng.randrange(height))
    return ("key", "Return")  # dismisses a box, or presses the focused button


def command(window, event):
    """The xdotool words of one event; several events chain into one call."""
    if event[0] == "key":
        return ["key", "--delay", "1", event[1]]
    if event[0] == "type":
        return ["type", "--delay", "1", "--", event[1]]
    _, button, x, y = event
    return ["mousemove", "--window", str(window), str(x), str(y), "click", str(button)]


# Events sent in one xdotool call: the program's life is checked after each.
BATCH = 10


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("program")
    parser.add_argument("caption")
    parser.add_argument("--events", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--artifacts", default=None)
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(2**32)
    rng = random.Random(seed)
    print(f"monkey: {args.caption}, {args.events} events, seed {seed}", flush=True)

    desk = Desktop()
    output = tempfile.TemporaryFile(mode="w+")
    app = subprocess.Popen([args.program], env=desk.env, stdout=output, stderr=subprocess.STDOUT)
    last = collections.deque(maxlen=25)
    failure = None
    try:
        window = find_window(desk, args.caption, app)
        if window is None:
            failure = "the window did not appear"
        else:
            geometry = desk.xdo("getwindowgeometry", "--shell", str(window)).stdout
            size = dict(line.split("=") for line in geometry.split())
            width, height = int(size["WIDTH"]), int(size["HEIGHT"])
            for start in range(0, args.events, BATCH):
                words = []
                for i in range(start, min(start + BATCH, args.events)):
                    event = random_event(rng, width, height)
                    last.append((i, event))
                    words += command(window, event)
                    if event[0] == "type":  # typing takes the rest of a call's words
                        desk.xdo(*words)
                        words = []
                if words:
                    desk.xdo(*words)
                if app.poll() is not None:
                    failure = (f"the program ended (exit status {app.returncode}) "
                               f"within events {start} to {i}")
                    break
            if failure is None:
                for _ in range(3):
                    desk.xdo("key", "Escape")  # closes a context menu left open
                time.sleep(0.3)
                if app.poll() is not None:
                    failure = f"the program ended (exit status {app.returncode})"
                elif not answers_ping(desk, window):
                    failure = "the window does not answer the window manager's ping"
        if args.artifacts and app.poll() is None:
            os.makedirs(args.artifacts, exist_ok=True)
            shot = os.path.join(args.artifacts, f"{args.caption}-monkey.png")
            desk.screenshot(shot)
    finally:
        if app.poll() is None:
            app.terminate()
            try:
                app.wait(timeout=5)
            except subprocess.TimeoutExpired:
                app.kill()
        desk.close()
    output.seek(0)
    printed = output.read()
    if failure is None:
        for mark in FATAL_OUTPUT:
            if mark in printed:
                failure = f"the program printed {mark!r}"
    if failure is None:
        print(f"monkey: {args.caption} lived through {args.events} events")
        return 0
    print(f"monkey: FAILED: {failure}", file=sys.stderr)
    print(f"monkey: replay with: {sys.argv[0]} {args.program} {args.caption} "
          f"--events {args.events} --seed {seed}", file=sys.stderr)
    print("monkey: the last events:", file=sys.stderr)
    for i, event in last:
        print(f"  {i}: {event}", file=sys.stderr)
    if printed.strip():
        print("monkey: the program printed:\n" + printed[-4000:], file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
