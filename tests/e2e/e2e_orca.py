"""A child who only listens drills with the Orca screen reader: the real program on a
virtual display, real keystrokes, and Orca speaking through a speech-dispatcher whose
only voice writes each utterance to a file instead of sounding it.

    /usr/bin/python3 e2e_orca.py BINARY [TRANSCRIPT]

It starts itself again inside a private PID namespace (Orca's start-up ends every other
Orca of the same user) and a private D-Bus session. Exits with 77 ("skipped") when Orca,
speech-dispatcher or the other tools are not installed.
"""
import os
import re
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from speech_session import PRAISE, PROBLEM, PROMPT, start_inside  # noqa: E402

INSIDE = "SUMBROOK_ORCA_INSIDE"
TOOLS = ["orca", "speech-dispatcher", "Xvfb", "xdotool", "unshare", "dbus-run-session"]

start_inside(__file__, INSIDE, TOOLS)

import pyatspi  # noqa: E402  (only inside the session)
from e2e_keyboard import fail, start_display, wait_for  # noqa: E402
from speech_session import Drill, Listener, check_problem, quiet, value  # noqa: E402


def main():
    binary = sys.argv[1]
    transcript = sys.argv[2] if len(sys.argv) > 2 else None
    folder = tempfile.mkdtemp(prefix="sumbrook-orca-")
    display, xvfb = start_display(24)
    os.environ["DISPLAY"] = display
    listener = Listener(folder, display)
    try:
        pyatspi.Registry.getDesktop(0)
        drill = Drill(binary, listener)
        timings = {}

        # At start: the window, the answer box and its description, then the problem.
        start = wait_for("the first problem spoken",
                         lambda: next((u for u in listener.utterances() if PROBLEM.search(u)), None),
                         timeout=15)
        quiet(listener)
        problem = check_problem(drill, start)
        if problem.group(1) != "1":
            fail(f"first problem spoken as {start!r}")

        # A right answer: the praise, then the next problem, in one utterance.
        _, heard, timings["right"] = drill.step(
            "the praise and the next problem", re.escape(PRAISE) + " 第2题",
            ("type", "--delay", "60", str(value(problem))), ("key", "Return"))
        problem = check_problem(drill, heard)

        # A wrong answer: the prompt, and the same problem stays.
        said, _, timings["wrong"] = drill.step(
            "the prompt", re.escape(PROMPT),
            ("type", "--delay", "60", str(value(problem) + 1)), ("key", "Return"))
        if any(PROBLEM.search(u) for u in said):
            fail(f"a wrong answer set a new problem: {said}")

        # Space skips to a new problem, still the second.
        _, heard, _ = drill.step("the skipped-to problem", r"^第2题", ("key", "space"))
        problem = check_problem(drill, heard)

        # Ctrl+Z: the answer (Ctrl held while Z is released).
        drill.step("the answer", rf"正确答案 {value(problem)}\b",
                   ("keydown", "ctrl"), ("key", "z"), ("keyup", "ctrl"))

        # A limit of 2: one more right answer, then the rest message.
        drill.click(drill.window.box("每次最多出"))
        drill.keys("key", "--delay", "60", "End", "BackSpace", "BackSpace", "2")
        quiet(listener)
        drill.click(drill.window.box("答案", 1))
        quiet(listener)
        drill.step("the praise and the rest message", re.escape(PRAISE) + " 已经做了2道题了,休息吧",
                   ("type", "--delay", "60", str(value(problem))), ("key", "Return"))

        # Message boxes are read out by Orca itself: the confirmation ...
        # At a person's pace: with a screen reader each key first makes a round trip to it.
        for key in (("keydown", "alt"), ("keydown", "s"), ("keyup", "s"), ("keyup", "alt")):
            drill.keys(*key)
            time.sleep(0.1)
        wait_for("the menu open", lambda: any(
            n.getState().contains(pyatspi.STATE_SHOWING) for n in drill.window.nodes("popup menu")))
        drill.step("the confirmation", "创建桌面快捷方式完成", ("key", "l"))
        drill.step("back in the window", ".", ("key", "Escape"))
        # ... and the error report (a maximum beyond 2147483647).
        drill.click(drill.window.box("运算最大值"))
        drill.step("the error report", "is not a valid integer value",
                   ("key", "--delay", "60", "End", *"99999999999"))

        lines = listener.utterances()
        if transcript:
            with open(transcript, "w", encoding="utf-8") as out:
                out.write("\n".join(lines) + "\n")
        print("transcript:\n  " + "\n  ".join(lines))
        print(f"Enter to the verdict handed to speech: right {timings['right'] * 1000:.0f} ms "
              f"(the next problem is set first), wrong {timings['wrong'] * 1000:.0f} ms")
        print("PASS: every problem, verdict, answer and the rest message spoken")
    except SystemExit:
        print("heard so far:\n  " + "\n  ".join(listener.utterances()))
        raise
    finally:
        listener.close()
        xvfb.terminate()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
