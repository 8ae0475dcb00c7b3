"""Drives the real program on a virtual X display with real keystrokes (xdotool) and
reads what it shows through the accessibility bus (AT-SPI).

Run inside a D-Bus session:  dbus-run-session -- /usr/bin/python3 e2e_keyboard.py BINARY [SHOT]
With --first-problem it only checks that the window comes up with its first problem.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi

EQUATION = re.compile(r"^(\d+)([＋－])(\d+)(?:([＋－])(\d+))?＝$")


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def wait_for(what, predicate, timeout=10.0):
    end = time.monotonic() + timeout
    last = None
    while time.monotonic() < end:
        try:
            last = predicate()
            if last:
                return last
        except Exception as error:  # the tree may change under us; ask again
            last = error
        time.sleep(0.05)
    fail(f"timed out waiting for {what} (last: {last!r})")


def start_display():
    for number in range(120, 200):
        if not os.path.exists(f"/tmp/.X{number}-lock"):
            display = f":{number}"
            xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL).returncode == 0:
                    return display, xvfb
                time.sleep(0.05)
            xvfb.kill()
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

    def answer_boxes(self):
        boxes = [n for n in self.nodes("text") if n.name == "答案"]
        return [b.queryText().getText(0, -1) for b in boxes]

    def header(self):
        for node in self.nodes("panel"):
            if node.name.startswith("请计算"):
                return node.name
        return None


def main():
    args = [a for a in sys.argv[1:] if a != "--first-problem"]
    first_problem_only = len(args) < len(sys.argv) - 1
    binary = args[0]
    shot = args[1] if len(args) > 1 else None
    display, xvfb = start_display()
    env = dict(os.environ, DISPLAY=display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.environ["DISPLAY"] = display
    pyatspi.Registry.getDesktop(0)  # starts the accessibility bus before the program asks
    program = subprocess.Popen([binary], env=env)
    try:
        app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Sumbrook"), None))
        window = Window(app)
        wid = wait_for("the window", lambda: subprocess.run(
            ["xdotool", "search", "--name", "^Sumbrook$"], capture_output=True, text=True, env=env
        ).stdout.split())[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=env, check=True)

        def keys(*args):
            subprocess.run(["xdotool", *args], env=env, check=True)

        wait_for("the first problem", window.equation)
        if window.header() != "请计算:第1题:":
            fail(f"header {window.header()!r}")
        if "正确个数:\n错误个数:" not in window.labels():
            fail("start score text missing")
        if first_problem_only:
            print(f"PASS: the window shows its first problem, {window.equation().group(0)}")
            return

        # A right answer, typed digit by digit, then Enter.
        keys("type", "--delay", "40", str(window.answer()))
        wait_for("the typed answer mirrored in both boxes",
                 lambda: len(set(window.answer_boxes())) == 1 and window.answer_boxes()[0] != "")
        keys("key", "Return")
        wait_for("praise", lambda: "真聪明!\n答对了!" in window.labels())
        wait_for("score 1/0", lambda: "正确个数:1\n错误次数:0" in window.labels())
        wait_for("header 2", lambda: window.header() == "请计算:第2题:")
        wait_for("empty answer boxes", lambda: window.answer_boxes() == ["", ""])

        # A wrong answer keeps the problem.
        problem = window.equation().group(0)
        keys("type", "--delay", "40", str(window.answer() + 1))
        keys("key", "Return")
        wait_for("prompt", lambda: "再想想!\n答错了!" in window.labels())
        wait_for("score 1/1", lambda: "正确个数:1\n错误次数:1" in window.labels())
        if window.equation().group(0) != problem:
            fail("a wrong answer changed the problem")

        # Ctrl+Z peeks at the answer (Ctrl held while Z goes up); a digit clears it.
        keys("keydown", "ctrl")
        keys("key", "z")
        keys("keyup", "ctrl")
        wait_for("the answer shown", lambda: f"正确答案\n{window.answer()}" in window.labels())
        keys("type", "3")
        wait_for("feedback cleared by typing", lambda: "" in window.labels() and
                 not any(l.startswith("正确答案") for l in window.labels()))
        wait_for("3 typed", lambda: window.answer_boxes() == ["3", "3"])

        # Space skips: nothing judged, boxes emptied, header unchanged.
        keys("key", "space")
        wait_for("boxes emptied by the skip", lambda: window.answer_boxes() == ["", ""])
        if window.header() != "请计算:第2题:" or "正确个数:1\n错误次数:1" not in window.labels():
            fail("the skip judged something")

        # Letters never enter an answer box.
        keys("type", "--delay", "40", "ab-.")
        time.sleep(0.2)
        if window.answer_boxes() != ["", ""]:
            fail(f"letters entered: {window.answer_boxes()}")

        # Alt+N judges the typed answer, then its release sets a further problem.
        keys("type", "--delay", "40", str(window.answer()))
        keys("key", "alt+n")
        wait_for("score 2/1 after Alt+N", lambda: "正确个数:2\n错误次数:1" in window.labels())
        wait_for("header 3", lambda: window.header() == "请计算:第3题:")

        if shot:
            subprocess.run(["import", "-display", display, "-window", "root", shot], check=False)
        print("PASS: end-to-end keyboard run")
    finally:
        program.terminate()
        try:
            program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            program.kill()
        xvfb.terminate()


if __name__ == "__main__":
    main()
