"""A private desktop for the tests on a real display: Xvfb with the openbox
window manager, real input through XTest (xdotool), and the screen read from
Xvfb's framebuffer, which holds exactly what a monitor would show. (Reading
the screen through the root window, as `xwd -root` does, returns black where
one of the toolkit's windows lies over another on this server, although the
framebuffer holds the painted window.)
"""

import os
import random
import shutil
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay, protocol


class Desktop:
    """Xvfb with openbox, torn down by close()."""

    def __init__(self, width=1280, height=1024):
        self.width, self.height = width, height
        self.fbdir = tempfile.mkdtemp()
        # A display number drawn at random from a wide range: tests that run
        # at the same time do not meet, and a number that one of them has
        # just given up (whose socket its server may still be removing) is
        # not taken again at once.
        self.procs = []
        for _ in range(20):
            number = random.SystemRandom().randrange(200, 30000)
            if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0",
                                       f"{width}x{height}x24", "-fbdir", self.fbdir,
                                       "-nolisten", "tcp"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if self._wait_ready(f":{number}", server):
                self.procs = [server]
                break
            server.kill()
            server.wait()
        if not self.procs:
            raise RuntimeError("Xvfb did not start")
        self.name = f":{number}"
        self.runtime = tempfile.mkdtemp()
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ, DISPLAY=self.name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.runtime)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.procs.append(subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        time.sleep(0.5)

    @staticmethod
    def _wait_ready(name, server, seconds=30.0):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if server.poll() is not None:
                return False
            if subprocess.run(["xdpyinfo", "-display", name], capture_output=True).returncode == 0:
                return True
            time.sleep(0.1)
        return False

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
        for p in self.procs:
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(self.runtime, ignore_errors=True)
        shutil.rmtree(self.fbdir, ignore_errors=True)

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=60)

    def run(self, *args, **kwargs):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True,
                              timeout=60, **kwargs)

    def framebuffer(self):
        return os.path.join(self.fbdir, "Xvfb_screen0")

    def pixels(self, x, y, width, height):
        """The screen's pixels in the rectangle (clipped to the screen), as
        rows of (r, g, b)."""
        x, y = max(x, 0), max(y, 0)
        width, height = min(width, self.width - x), min(height, self.height - y)
        data = subprocess.run(["/usr/bin/convert", f"xwd:{self.framebuffer()}", "-crop",
                               f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                              capture_output=True, check=True, timeout=60).stdout
        return [[tuple(data[(r * width + c) * 3:(r * width + c) * 3 + 3]) for c in range(width)]
                for r in range(height)]

    def screenshot(self, path, rect=None):
        crop = ["-crop", "{2}x{3}+{0}+{1}".format(*rect), "+repage"] if rect else []
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["/usr/bin/convert", f"xwd:{self.framebuffer()}", *crop, path],
                       capture_output=True, check=True, timeout=60)


def find_windows(desk, caption):
    found = desk.xdo("search", "--onlyvisible", "--name", f"^{caption}$")
    return [int(w) for w in found.stdout.split()] if found.returncode == 0 else []


def find_window(desk, caption, app, timeout=30.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if app.poll() is not None:
            return None
        windows = find_windows(desk, caption)
        if windows:
            return windows[0]
        time.sleep(0.05)
    return None


def client_rect(desk, window):
    """The client area on the screen: (left, top, width, height)."""
    info = desk.run("xwininfo", "-id", str(window)).stdout
    value = {}
    for line in info.splitlines():
        key, _, v = line.strip().partition(":")
        value[key] = v.strip()
    return (int(value["Absolute upper-left X"]), int(value["Absolute upper-left Y"]),
            int(value["Width"]), int(value["Height"]))


def outer_rect(desk, window):
    """The window's rectangle on the screen with the frame the window
    manager gave it: (left, top, width, height)."""
    x, y, w, h = client_rect(desk, window)
    extents = desk.run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS").stdout
    left = right = top = bottom = 0
    if "=" in extents:
        left, right, top, bottom = (int(v) for v in extents.split("=")[1].split(","))
    return (x - left, y - top, w + left + right, h + top + bottom)


def client_origin(desk, window):
    return client_rect(desk, window)[:2]


def answers_ping(desk, window, seconds=5.0):
    """Sends _NET_WM_PING to the window; the toolkit answers it on the root
    window with the structure-notify and substructure-redirect masks."""
    d = xdisplay.Display(desk.name)
    root = d.screen().root
    root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
    d.sync()
    protocols, ping = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("_NET_WM_PING")
    stamp = int(time.time()) & 0x7FFFFFFF
    target = d.create_resource_object("window", window)
    event = protocol.event.ClientMessage(window=target, client_type=protocols,
                                         data=(32, [ping, stamp, window, 0, 0]))
    target.send_event(event, event_mask=0)
    d.flush()
    deadline = time.time() + seconds
    try:
        while time.time() < deadline:
            while d.pending_events():
                e = d.next_event()
                if (e.type == X.ClientMessage and e.client_type == protocols
                        and e.data[1][0] == ping and e.data[1][1] == stamp):
                    return True
            time.sleep(0.02)
        return False
    finally:
        d.close()
