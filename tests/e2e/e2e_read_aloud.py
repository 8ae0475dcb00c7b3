"""Read-aloud, end to end: the real program on a virtual display, read-aloud switched on
through its menu with real keystrokes, and a private speech-dispatcher whose only voice
writes what it is asked to say (and in which voice and language) to a file. Each
utterance "lasts" a second unless it is cancelled, so that interruptions show.

    /usr/bin/python3 e2e_read_aloud.py BINARY [TRANSCRIPT]

Exits with 77 ("skipped") when speech-dispatcher or the other tools are not installed.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from speech_session import PRAISE, PROBLEM, PROMPT, start_inside  # noqa: E402

INSIDE = "SUMBROOK_READ_ALOUD_INSIDE"
TOOLS = ["speech-dispatcher", "Xvfb", "xdotool", "unshare", "dbus-run-session", "ss"]
SPEAKING = 1.0
SWITCHED_ON = "朗读已打开"
MANDARIN = "cmn-latn-pinyin"  # the capture module also offers zh, cmn and en

start_inside(__file__, INSIDE, TOOLS)

import pyatspi  # noqa: E402,F401  (only inside the session)
from e2e_keyboard import fail, start_display, wait_for  # noqa: E402
from speech_session import Drill, Listener, check_problem, quiet, value  # noqa: E402


def speech_connections(listener, pid):
    """How many of the program's sockets are connected to speech-dispatcher's."""
    socket = listener.env["SPEECHD_ADDRESS"].split(":", 1)[1]
    mine = set()
    for fd in os.listdir(f"/proc/{pid}/fd"):
        try:
            target = os.readlink(f"/proc/{pid}/fd/{fd}")
        except OSError:
            continue
        if target.startswith("socket:["):
            mine.add(target[8:-1])
    rows = subprocess.run(["ss", "-xn"], capture_output=True, text=True).stdout.splitlines()
    peers = set()
    for row in rows:
        fields = row.split()
        # Netid State Recv-Q Send-Q Local-Address Port Peer-Address Port
        if len(fields) >= 8 and fields[4] == socket:
            peers.add(fields[7])
    return len(mine & peers)


def speech_library_loaded(pid):
    with open(f"/proc/{pid}/maps") as maps:
        return "libspeechd" in maps.read()


def menu_command(drill, letter):
    """Alt+S, then the command's letter, at a person's pace."""
    for key in (("keydown", "alt"), ("keydown", "s"), ("keyup", "s"), ("keyup", "alt")):
        drill.keys(*key)
        time.sleep(0.1)
    wait_for("the menu open", lambda: any(
        n.getState().contains(pyatspi.STATE_SHOWING) for n in drill.window.nodes("popup menu")))
    drill.keys("key", letter)


def heard_after(listener, before):
    return listener.voiced()[before:]


def main():
    binary = sys.argv[1]
    transcript = sys.argv[2] if len(sys.argv) > 2 else None
    folder = tempfile.mkdtemp(prefix="sumbrook-read-aloud-")
    display, xvfb = start_display(24)
    os.environ["DISPLAY"] = display
    listener = Listener(folder, display, orca=False, speaking=SPEAKING)
    try:
        drill = Drill(binary, listener)
        pid = drill.program.pid

        # Off at start: no connection to speech-dispatcher, nothing said.
        quiet(listener)
        if listener.voiced():
            fail(f"spoken with read-aloud off: {listener.voiced()}")
        if speech_connections(listener, pid):
            fail("connected to speech-dispatcher at start-up")
        if speech_library_loaded(pid):
            fail("speech-dispatcher's library loaded at start-up")

        # Switched on through the menu: one sentence at once, in the Mandarin voice.
        menu_command(drill, "r")
        wait_for("the switched-on sentence", lambda: any(
            e[3] == SWITCHED_ON for e in listener.voiced()), timeout=10)
        if not speech_connections(listener, pid) or not speech_library_loaded(pid):
            fail("no connection to speech-dispatcher after switching on")
        _, voice, language, _ = listener.voiced()[-1]
        if (voice, language) != (f"{MANDARIN}-voice", MANDARIN):
            fail(f"spoken in voice {voice!r}, language {language!r}")
        quiet(listener)

        # Space: a new problem (still the first), read with its signs as words.
        _, heard, _ = drill.step("the skipped-to problem", r"^第1题", ("key", "space"))
        problem = check_problem(drill, heard)

        # A right answer: the praise at once, then the next problem once it has been said.
        before = len(listener.voiced())
        drill.step("the praise and the next problem", r"^第2题",
                   ("type", "--delay", "60", str(value(problem))), ("key", "Return"))
        said = heard_after(listener, before)
        texts = [e[3] for e in said]
        if texts != [PRAISE, texts[-1]] or not PROBLEM.match(texts[-1]):
            fail(f"after a right answer: {texts}")
        if said[1][0] - said[0][0] < SPEAKING * 0.9:
            fail(f"the next problem cut the praise short: {said}")
        problem = check_problem(drill, texts[-1])

        # Wrong answers: the prompt alone, the problem stays. Timed from just before Enter
        # is sent (xdotool's own start included) to the voice's start, 5 times.
        wrong = []
        for _ in range(5):
            drill.keys("type", "--delay", "60", str(value(problem) + 1))
            before = len(listener.voiced())
            pressed = time.time()
            said, _, _ = drill.step("the prompt", re.escape(PROMPT), ("key", "Return"))
            if said != [PROMPT]:
                fail(f"after a wrong answer: {said}")
            wrong.append(heard_after(listener, before)[0][0] - pressed)

        # Ctrl+Z right after Space: the answer cuts the problem short.
        before = len(listener.voiced())
        drill.keys("key", "space")
        wait_for("the problem", lambda: len(listener.voiced()) > before, interval=0.01)
        drill.keys("keydown", "ctrl", "key", "z", "keyup", "ctrl")
        wait_for("the answer", lambda: len(listener.voiced()) > before + 1, interval=0.01)
        quiet(listener)
        said = heard_after(listener, before)
        problem = check_problem(drill, said[0][3])
        if [e[3] for e in said[1:]] != [f"正确答案 {value(problem)}"]:
            fail(f"after Space and Ctrl+Z: {[e[3] for e in said]}")
        if said[1][0] - said[0][0] >= SPEAKING * 0.9:
            fail(f"the answer waited for the problem instead of interrupting it: {said}")

        # A limit one more than the score: the praise, then the rest message.
        drill.click(drill.window.box("每次最多出"))
        drill.keys("key", "--delay", "60", "End", "BackSpace", "BackSpace", "2")
        drill.click(drill.window.box("答案", 1))
        quiet(listener)
        before = len(listener.voiced())
        drill.step("the praise and the rest message", "已经做了2道题了,休息吧",
                   ("type", "--delay", "60", str(value(problem))), ("key", "Return"))
        texts = [e[3] for e in heard_after(listener, before)]
        if texts != [PRAISE, "已经做了2道题了,休息吧."]:
            fail(f"at the limit: {texts}")

        # Off again: silence, the connection let go, nothing more said.
        menu_command(drill, "r")
        wait_for("the connection let go", lambda: speech_connections(listener, pid) == 0)
        before = len(listener.voiced())
        drill.keys("key", "space")
        quiet(listener, 2.0)
        if listener.voiced()[before:]:
            fail(f"spoken after switching off: {listener.voiced()[before:]}")

        entries = listener.voiced()
        if any(sign in e[3] for e in entries for sign in "＋－＝"):
            fail("a sign was handed to the voice as a symbol")
        start = entries[0][0]
        lines = [f"{e[0] - start:6.2f} s  [{e[1]} / {e[2]}]  {e[3]}" for e in entries]
        if transcript:
            with open(transcript, "w", encoding="utf-8") as out:
                out.write("\n".join(lines) + "\n")
        print("transcript:\n  " + "\n  ".join(lines))
        print("Enter to the verdict written by the voice, wrong answers: "
              + ", ".join(f"{t * 1000:.0f}" for t in wrong)
              + f" ms (median {statistics.median(wrong) * 1000:.0f} ms)")
        print("PASS: switched on and off through the menu; problem, verdict, next problem, "
              "answer and rest message spoken in Mandarin, each interrupting the one before")
    except SystemExit:
        print("heard so far:\n  " + "\n  ".join(str(e) for e in listener.voiced()))
        raise
    finally:
        listener.close()
        xvfb.terminate()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
