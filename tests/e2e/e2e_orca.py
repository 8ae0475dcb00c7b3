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
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

SKIPPED = 77
INSIDE = "SUMBROOK_ORCA_INSIDE"
TOOLS = ["orca", "speech-dispatcher", "Xvfb", "xdotool", "unshare", "dbus-run-session"]
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
MODULES = "/usr/lib/speech-dispatcher-modules"
LOCALE = "zh_CN.UTF-8"
PROBLEM = re.compile(r"第(\d+)题 (\d+) (加|减) (\d+)(?: (加|减) (\d+))? 等于")
PRAISE = "真聪明! 答对了!"
PROMPT = "再想想! 答错了!"


def start_inside():
    missing = [t for t in TOOLS if not shutil.which(t)] + \
              [p for p in (BUS_LAUNCHER, MODULES + "/sd_generic") if not os.path.exists(p)]
    if missing:
        print(f"e2e_orca: skipped ({', '.join(missing)} not installed; tools/install-deps installs them)")
        sys.exit(SKIPPED)
    env = dict(os.environ, **{INSIDE: "1"})
    command = ["unshare", "--pid", "--fork", "--mount-proc", "dbus-run-session", "--",
               sys.executable, os.path.abspath(__file__), *sys.argv[1:]]
    sys.exit(subprocess.run(command, env=env, stderr=subprocess.DEVNULL).returncode)


if os.environ.get(INSIDE) != "1":
    start_inside()

import pyatspi  # noqa: E402  (only inside the session)
from e2e_keyboard import Window, die_with_parent, fail, start_display, wait_for  # noqa: E402


class Listener:
    """Orca and a speech-dispatcher that writes what Orca says to a file."""

    def __init__(self, folder, display):
        self.folder = folder
        self.file = os.path.join(folder, "speech.txt")
        home = os.path.join(folder, "home")
        conf = os.path.join(folder, "speechd")
        os.makedirs(os.path.join(conf, "modules"))
        os.makedirs(os.path.join(home, ".config"))
        self.desktop = os.path.join(home, "桌面")
        os.makedirs(self.desktop)
        with open(os.path.join(home, ".config", "user-dirs.dirs"), "w", encoding="utf-8") as dirs:
            dirs.write(f'XDG_DESKTOP_DIR="{self.desktop}"\n')
        # The module's audio output must not die for want of a sound server.
        with open(os.path.join(home, ".libao"), "w") as libao:
            libao.write("default_driver=null\n")
        with open(os.path.join(conf, "speechd.conf"), "w") as speechd:
            speechd.write(f'LogLevel 3\nLogDir "{folder}"\nAudioOutputMethod "libao"\n'
                          'DefaultLanguage "zh"\nSymbolsPreproc "char"\n'
                          'SymbolsPreprocFile "symbols.dic"\nSymbolsPreprocFile "orca.dic"\n'
                          'SymbolsPreprocFile "orca-chars.dic"\n'
                          'AddModule "capture" "sd_generic" "capture.conf"\nDefaultModule capture\n')
        with open(os.path.join(conf, "modules", "capture.conf"), "w") as module:
            module.write(f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> {self.file}"\n'
                         'GenericLanguage "zh" "zh" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n'
                         'AddVoice "zh" "MALE1" "zh"\nAddVoice "en" "MALE1" "en"\n')
        socket = os.path.join(folder, "speechd.sock")
        self.env = dict(os.environ, HOME=home, DISPLAY=display, LANG=LOCALE, LC_ALL=LOCALE,
                        SPEECHD_ADDRESS=f"unix_socket:{socket}",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.processes = []
        self.start([BUS_LAUNCHER, "--launch-immediately"])
        self.start(["speech-dispatcher", "-s", "-t", "0", "-c", "unix_socket", "-S", socket,
                    "-C", conf, "-m", MODULES, "-P", os.path.join(folder, "speechd.pid")])
        wait_for("speech-dispatcher", lambda: os.path.exists(socket))
        self.start(["orca", "-u", os.path.join(folder, "orca"),
                    f"--debug-file={os.path.join(folder, 'orca.debug')}"])
        wait_for("Orca ready", lambda: "屏幕阅读器启用" in self.said(), timeout=20)

    def start(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
        self.processes.append(process)
        return process

    def said(self):
        try:
            with open(self.file, encoding="utf-8") as speech:
                return speech.read()
        except FileNotFoundError:
            return ""

    def utterances(self):
        return [line.strip() for line in self.said().splitlines() if line.strip()]

    def close(self):
        for process in reversed(self.processes):
            process.terminate()


class Drill:
    def __init__(self, binary, listener):
        self.listener = listener
        self.env = listener.env
        self.program = listener.start([binary])
        self.app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Sumbrook"), None),
            timeout=30)
        self.window = Window(self.app)
        wid = wait_for("the window", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Sumbrook$"], env=self.env,
            capture_output=True, text=True).stdout.split())[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=self.env, check=True)

    def keys(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def click(self, node):
        x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.keys("mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")

    def step(self, what, expected, *keys, timeout=10.0):
        """Sends keys; waits for an utterance matching expected, then for 1.5 s of silence.
        Returns the new utterances and the seconds from the last key to the match."""
        before = len(self.listener.utterances())
        for key in keys:
            self.keys(*key)
        sent = time.monotonic()
        match = wait_for(what, lambda: next(
            (u for u in self.listener.utterances()[before:] if re.search(expected, u)), None),
            timeout=timeout, interval=0.01)
        heard = time.monotonic() - sent
        quiet(self.listener)
        return self.listener.utterances()[before:], match, heard


def quiet(listener, seconds=1.5):
    end = time.monotonic() + seconds
    size = len(listener.said())
    while time.monotonic() < end:
        time.sleep(0.1)
        if len(listener.said()) != size:
            size = len(listener.said())
            end = time.monotonic() + seconds


def value(problem):
    numbers = [int(problem.group(i)) for i in (2, 4, 6) if problem.group(i)]
    result = numbers[0]
    for sign, number in zip((problem.group(3), problem.group(5)), numbers[1:]):
        result = result + number if sign == "加" else result - number
    return result


def check_problem(drill, utterance):
    """The spoken problem is the one shown: same numbers in the same order."""
    problem = PROBLEM.search(utterance)
    if not problem:
        fail(f"no problem in {utterance!r}")
    shown = drill.window.equation()
    spoken = [problem.group(i) for i in (2, 4, 6) if problem.group(i)]
    if [shown.group(i) for i in (1, 3, 5) if shown.group(i)] != spoken:
        fail(f"spoken {utterance!r}, shown {shown.group(0)!r}")
    return problem


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
