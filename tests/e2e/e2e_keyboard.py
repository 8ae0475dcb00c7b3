"""Drives the real program on a virtual X display with real keystrokes (xdotool) and
reads what it shows through the accessibility bus (AT-SPI).

Run inside a D-Bus session:  dbus-run-session -- /usr/bin/python3 e2e_keyboard.py [MODE] BINARY [SHOT]
Modes:
  (none)             the keyboard run: answers, skips, peeking, editing inside the boxes
  --first-problem    only that the window comes up with its first problem
  --window-manager   under openbox: message boxes stacked above the always-on-top About
                     window and centred; restoring the minimised window keeps the focus
  --low-colour       on a 256-colour screen: the program starts and works, and the About
                     picture is decoded in 236 colours
  --visuals          on an 8-bit screen of each default visual class, and on 15, 16, 24 and
                     30-bit screens: the program starts and judges an answer
"""
import ctypes
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

EQUATION = re.compile(r"^(\d+)([＋－])(\d+)(?:([＋－])(\d+))?＝$")
PRAISE = "真聪明!\n答对了!"
PROMPT = "再想想!\n答错了!"


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def wait_for(what, predicate, timeout=10.0, interval=0.05):
    end = time.monotonic() + timeout
    last = None
    while time.monotonic() < end:
        try:
            last = predicate()
            if last:
                return last
        except Exception as error:  # the tree may change under us; ask again
            last = error
        time.sleep(interval)
    fail(f"timed out waiting for {what} (last: {last!r})")


def die_with_parent():
    """Started programs end with this script, even when a test runner kills it."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def start_display(depth, server_args=()):
    for number in range(120, 200):
        if not os.path.exists(f"/tmp/.X{number}-lock"):
            display = f":{number}"
            xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"1024x768x{depth}", "-nolisten", "tcp",
                                     *server_args],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    preexec_fn=die_with_parent)
            # Ours once the display's lock names our server (another may be going away).
            for _ in range(100):
                if xvfb.poll() is not None:
                    break
                try:
                    with open(f"/tmp/.X{number}-lock") as lock:
                        ours = lock.read().strip() == str(xvfb.pid)
                except OSError:
                    ours = False
                if ours and subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL).returncode == 0:
                    return display, xvfb
                time.sleep(0.05)
            xvfb.kill()
            xvfb.wait()
    fail("no free X display")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


class Window:
    def __init__(self, app):
        self.app = app

    def nodes(self, role):
        return [n for n in walk(self.app) if n.getRoleName() == role]

    def labels(self):
        return [n.name for n in self.nodes("label")]

    def equation(self):
        for name in self.labels():
            match = EQUATION.match(name)
            if match:
                return match
        return None

    def answer(self):
        m = self.equation()
        value = int(m.group(1))
        value = value + int(m.group(3)) if m.group(2) == "＋" else value - int(m.group(3))
        if m.group(4):
            value = value + int(m.group(5)) if m.group(4) == "＋" else value - int(m.group(5))
        return value

    def box(self, name, index=0):
        return [n for n in self.nodes("text") if n.name == name][index]

    def answer_boxes(self):
        boxes = [n for n in self.nodes("text") if n.name == "答案"]
        return [b.queryText().getText(0, -1) for b in boxes]

    def text_of(self, name):
        return self.box(name).queryText().getText(0, -1)

    def focused(self):
        for node in walk(self.app):
            if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() == "text":
                return node
        return None

    def header(self):
        for node in self.nodes("panel"):
            if node.name.startswith("请计算"):
                return node.name
        return None


class Session:
    """Xvfb (and openbox) with the program on it, found on the accessibility bus."""

    def __init__(self, binary, depth=24, window_manager=False, env=None, server_args=()):
        self.display, self.xvfb = start_display(depth, server_args)
        self.env = dict(os.environ, DISPLAY=self.display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        **(env or {}))
        os.environ["DISPLAY"] = self.display
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       preexec_fn=die_with_parent)
            wait_for("openbox", lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.xprop("-root"))
        pyatspi.Registry.getDesktop(0)  # starts the accessibility bus before the program asks
        self.log = tempfile.TemporaryFile()
        self.program = subprocess.Popen([binary], env=self.env, stderr=self.log,
                                        preexec_fn=die_with_parent)
        app = wait_for("the program on the accessibility bus", lambda: self.running() and next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Sumbrook"), None),
            timeout=30)
        self.window = Window(app)
        self.wid = wait_for("the window", lambda: self.windows("^Sumbrook$"))[0]
        if not window_manager:
            self.xdotool("windowfocus", "--sync", str(self.wid))
        wait_for("the first problem", self.window.equation)

    def running(self):
        if self.program.poll() is not None:
            self.close()
            fail(f"the program ended with {self.program.returncode}: {self.stderr()[-600:]}")
        return True

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True).stdout

    def xprop(self, *args):
        return subprocess.run(["xprop", *args], env=self.env, capture_output=True, text=True).stdout

    def keys(self, *names):
        self.xdotool("key", "--delay", "40", *names)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)

    def windows(self, name):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.env,
                               capture_output=True, text=True).stdout.split()
        return [int(w) for w in found]

    def stacking(self):
        """The program's client windows, bottom to top, as the window manager stacks them."""
        line = self.xprop("-root", "_NET_CLIENT_LIST_STACKING")
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", line)]

    def stderr(self):
        self.log.seek(0)
        return self.log.read().decode("utf-8", "replace")

    def shot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path], check=False)

    def close(self):
        self.program.terminate()
        try:
            self.program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.program.kill()
        if self.wm:
            self.wm.terminate()
        self.xvfb.terminate()
        self.xvfb.wait(timeout=5)


def right_wrong_skip_peek(s):
    window = s.window
    if window.header() != "请计算:第1题:":
        fail(f"header {window.header()!r}")
    if "正确个数:\n错误个数:" not in window.labels():
        fail("start score text missing")

    # A right answer, typed digit by digit, then Enter.
    s.type(str(window.answer()))
    wait_for("the typed answer mirrored in both boxes",
             lambda: len(set(window.answer_boxes())) == 1 and window.answer_boxes()[0] != "")
    s.keys("Return")
    wait_for("praise", lambda: PRAISE in window.labels())
    wait_for("score 1/0", lambda: "正确个数:1\n错误次数:0" in window.labels())
    wait_for("header 2", lambda: window.header() == "请计算:第2题:")
    wait_for("empty answer boxes", lambda: window.answer_boxes() == ["", ""])

    # A wrong answer keeps the problem.
    problem = window.equation().group(0)
    s.type(str(window.answer() + 1))
    s.keys("Return")
    wait_for("prompt", lambda: PROMPT in window.labels())
    wait_for("score 1/1", lambda: "正确个数:1\n错误次数:1" in window.labels())
    if window.equation().group(0) != problem:
        fail("a wrong answer changed the problem")

    # Ctrl+Z peeks at the answer (Ctrl held while Z goes up); a digit clears it.
    s.xdotool("keydown", "ctrl")
    s.keys("z")
    s.xdotool("keyup", "ctrl")
    wait_for("the answer shown", lambda: f"正确答案\n{window.answer()}" in window.labels())
    s.type("3")
    wait_for("feedback cleared by typing", lambda: "" in window.labels() and
             not any(l.startswith("正确答案") for l in window.labels()))
    wait_for("3 typed", lambda: window.answer_boxes() == ["3", "3"])

    # Space skips: nothing judged, boxes emptied, header unchanged.
    s.keys("space")
    wait_for("boxes emptied by the skip", lambda: window.answer_boxes() == ["", ""])
    if window.header() != "请计算:第2题:" or "正确个数:1\n错误次数:1" not in window.labels():
        fail("the skip judged something")

    # Letters never enter an answer box.
    s.type("ab-.")
    time.sleep(0.2)
    if window.answer_boxes() != ["", ""]:
        fail(f"letters entered: {window.answer_boxes()}")

    # Alt+N judges the typed answer, then its release sets a further problem.
    s.type(str(window.answer()))
    s.keys("alt+n")
    wait_for("score 2/1 after Alt+N", lambda: "正确个数:2\n错误次数:1" in window.labels())
    wait_for("header 3", lambda: window.header() == "请计算:第3题:")


def click(s, node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    s.xdotool("mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")


def clear_answer(s):
    s.keys("End", *["BackSpace"] * 6)
    wait_for("empty answer boxes", lambda: s.window.answer_boxes() == ["", ""])


def editing(s):
    """Correcting inside a box: each edit is checked in both answer boxes."""
    window = s.window
    cases = [
        ("backspace in the middle", ["1", "5", "Left", "BackSpace", "2"], "25"),
        ("digits at the start", ["1", "2", "Home", "3", "4"], "3412"),
        ("delete at the start", ["1", "5", "Home", "Delete"], "5"),
        ("delete in the middle", ["1", "2", "3", "Left", "Left", "Delete"], "13"),
        ("a selection replaced", ["1", "2", "3", "shift+Left", "shift+Left", "9"], "19"),
        ("alt keys", ["1", "alt+a", "alt+period", "alt+minus", "alt+0"], "1"),
    ]
    for where in ("edt1", "edt3"):
        click(s, window.box("答案", 0 if where == "edt3" else 1))
        for name, keys, expected in cases:
            clear_answer(s)
            s.keys(*keys)
            wait_for(f"{name} in {where}: both boxes {expected!r}",
                     lambda: window.answer_boxes() == [expected, expected])
    clear_answer(s)

    # The max box: Alt+X enters nothing and raises no error box; Delete deletes.
    click(s, window.box("运算最大值"))
    s.keys("End", "alt+x")
    time.sleep(0.3)
    if window.text_of("运算最大值") != "20" or len(s.windows("^Sumbrook$")) != 1:
        fail(f"Alt+X in the max box: {window.text_of('运算最大值')!r}, "
             f"{len(s.windows('^Sumbrook$'))} windows titled Sumbrook")
    s.keys("Home", "Delete")
    wait_for("Delete in the max box", lambda: window.text_of("运算最大值") == "0")
    s.keys("2")
    wait_for("the max box back at 20", lambda: window.text_of("运算最大值") == "20")


def keyboard_run(binary, shot):
    s = Session(binary)
    try:
        right_wrong_skip_peek(s)
        editing(s)
        if shot:
            s.shot(shot)
        print("PASS: end-to-end keyboard run")
    finally:
        s.close()


def window_manager_run(binary, shot):
    """Message boxes above the always-on-top About window, centred; focus kept on restore."""
    home = tempfile.TemporaryDirectory()
    desktop = os.path.join(home.name, "桌面")
    os.makedirs(desktop)
    os.makedirs(os.path.join(home.name, "config"))
    with open(os.path.join(home.name, "config", "user-dirs.dirs"), "w", encoding="utf-8") as dirs:
        dirs.write(f'XDG_DESKTOP_DIR="{desktop}"\n')
    s = Session(binary, window_manager=True, env={"XDG_CONFIG_HOME": os.path.join(home.name, "config")})
    try:
        window = s.window
        wait_for("the window focused", lambda: window.focused() is not None)
        s.keys("alt+s", "a")
        about = wait_for("the About window", lambda: s.windows("^Lexfield$"))[0]

        def frame_centre(wid):
            info = subprocess.run(["xwininfo", "-id", str(wid)], env=s.env, capture_output=True,
                                  text=True).stdout
            x, y, w, h = (int(re.search(rf"{label}:\s+(-?\d+)", info).group(1)) for label in
                          ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
            extents = re.findall(r"\d+", s.xprop("-id", str(wid), "_NET_FRAME_EXTENTS").split("=")[-1])
            left, right, top, bottom = map(int, extents) if len(extents) == 4 else (0, 0, 0, 0)
            return x - left + (left + w + right) / 2, y - top + (top + h + bottom) / 2

        def box_on_top(what):
            boxes = wait_for(what, lambda: [w for w in s.windows("^Sumbrook$") if w != s.wid])
            stack = s.stacking()
            if stack[-1] != boxes[0] or stack.index(about) > stack.index(boxes[0]):
                fail(f"{what} is not on top: stacking {stack}, box {boxes[0]}, About {about}")
            # Centred on the screen, frame included, once the window manager has framed it.
            wait_for(f"{what} centred on the screen (frame centre now {frame_centre(boxes[0])})",
                     lambda: max(map(abs, (a - b for a, b in zip(frame_centre(boxes[0]), (512, 384))))) <= 2,
                     timeout=3)
            return boxes[0]

        # The confirmation of the shortcut command, chosen from the main window's menu.
        s.xdotool("windowactivate", "--sync", str(s.wid))
        s.keys("alt+s", "l")
        box_on_top("the confirmation")
        if shot:
            s.shot(shot)
        s.keys("Escape")
        wait_for("the confirmation closed", lambda: len(s.windows("^Sumbrook$")) == 1)
        if not os.path.isfile(os.path.join(desktop, "Sumbrook.lnk")):
            fail("no shortcut on the desktop")

        # The error report: a maximum beyond 2147483647 does not convert. Every key released
        # in the box reports it again; the box is closed with the mouse.
        click(s, window.box("运算最大值"))
        s.keys("End", *"99999999999")
        box_on_top("the error report")
        click(s, wait_for("the report's OK button",
                          lambda: next(n for n in window.nodes("push button") if n.name == "OK")))
        wait_for("the error report closed", lambda: len(s.windows("^Sumbrook$")) == 1)
        # Enter and Esc close it for good: the box closes on the press, and the release left
        # over for the max box is no key typed into it.
        for key in ("Return", "Escape"):
            s.keys("9")
            box_on_top("the error report")
            s.keys(key)
            wait_for(f"the error report closed by {key}", lambda: len(s.windows("^Sumbrook$")) == 1)
            time.sleep(0.5)
            if len(s.windows("^Sumbrook$")) != 1:
                fail(f"the error report came back after {key}")

        # Minimised and restored, the window keeps its focused control.
        click(s, window.box("每次最多出"))
        wait_for("the limit box focused", lambda: (window.focused() or window.app).name == "每次最多出")
        s.xdotool("windowminimize", "--sync", str(s.wid))
        s.xdotool("windowactivate", "--sync", str(s.wid))
        time.sleep(0.3)
        if (window.focused() or window.app).name != "每次最多出":
            fail(f"restoring moved the focus to {(window.focused() or window.app).name!r}")
        # A minimised About window comes back where it was when it is chosen again.
        def about_state():
            return s.xprop("-id", str(about), "WM_STATE", "_NET_WM_STATE")

        def about_place():
            info = subprocess.run(["xwininfo", "-id", str(about)], env=s.env, capture_output=True,
                                  text=True).stdout
            return re.findall(r"Absolute upper-left [XY]:\s+(-?\d+)", info)

        place = about_place()
        s.xdotool("windowminimize", "--sync", str(about))
        wait_for("the About window minimised", lambda: "Iconic" in about_state())
        for _ in range(2):
            s.keys("alt+s", "a")
            time.sleep(0.3)
        wait_for(f"the About window shown again (now {about_state()!r})",
                 lambda: "Normal" in about_state() and "HIDDEN" not in about_state(), timeout=3)
        if about_place() != place:
            fail(f"the About window moved from {place} to {about_place()}")
        print("PASS: message boxes above the About window and centred; restoring keeps the focus;"
              " a minimised About window comes back")
    finally:
        s.close()
        home.cleanup()


def low_colour_run(binary, shot):
    s = Session(binary, depth=8, env={"QT_LOGGING_RULES": "sumbrook.about.info=true"})
    try:
        window = s.window
        s.type(str(window.answer()))
        s.keys("Return")
        wait_for("praise on a 256-colour screen", lambda: PRAISE in window.labels())
        s.keys("alt+s", "a")
        wait_for("the About window", lambda: s.windows("^Lexfield$"))
        wait_for("the picture decoded in 236 colours", lambda: "236 colours" in s.stderr())
        if shot:
            subprocess.run(["import", "-display", s.display, "-window", str(s.wid), shot], check=False)
        if s.program.poll() is not None:
            fail(f"the program ended: {s.stderr()}")
        print("PASS: starts and works on a 256-colour screen; About picture in 236 colours")
    finally:
        s.close()


def visuals_run(binary):
    """Every kind of X screen: each default visual class of an 8-bit screen, and 15, 16, 24
    and 30-bit screens. On each the program starts and praises a right answer."""
    screens = [(8, ("-cc", str(c))) for c in range(6)] + [(depth, ()) for depth in (15, 16, 24, 30)]
    for depth, server_args in screens:
        what = f"{depth}-bit screen {' '.join(server_args)}".strip()
        s = Session(binary, depth=depth, server_args=server_args)
        try:
            s.type(str(s.window.answer()))
            s.keys("Return")
            wait_for(f"praise on a {what}", lambda: s.running() and PRAISE in s.window.labels())
            print(f"ok: {what}")
        finally:
            s.close()
    print("PASS: starts and drills on every visual class of an 8-bit screen and on 15/16/24/30 bits")


def first_problem_run(binary):
    s = Session(binary)
    try:
        print(f"PASS: the window shows its first problem, {s.window.equation().group(0)}")
    finally:
        s.close()


def main():
    modes = [a for a in sys.argv[1:] if a.startswith("--")]
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    binary = args[0]
    shot = args[1] if len(args) > 1 else None
    if "--first-problem" in modes:
        first_problem_run(binary)
    elif "--window-manager" in modes:
        window_manager_run(binary, shot)
    elif "--low-colour" in modes:
        low_colour_run(binary, shot)
    elif "--visuals" in modes:
        visuals_run(binary)
    else:
        keyboard_run(binary, shot)


if __name__ == "__main__":
    main()
