"""What the listening end-to-end runs share: a private PID namespace and D-Bus session,
the accessibility bus, a speech-dispatcher whose only voice writes each utterance to a
file instead of sounding it (optionally Orca on top), and the real program driven with
real keystrokes. pyatspi and e2e_keyboard are imported only inside the session.
"""
import os
import re
import shutil
import subprocess
import sys
import time

SKIPPED = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
MODULES = "/usr/lib/speech-dispatcher-modules"
LOCALE = "zh_CN.UTF-8"
PROBLEM = re.compile(r"第(\d+)题 (\d+) (加|减) (\d+)(?: (加|减) (\d+))? 等于")
PRAISE = "真聪明! 答对了!"
PROMPT = "再想想! 答错了!"
# The capture voice's languages: Orca's (zh, en) and the Mandarin voices a system may
# list, named after their language.
VOICES = ["zh", "en", "cmn", "cmn-latn-pinyin"]


def start_inside(script, marker, tools):
    """Runs script again inside a private PID namespace (Orca's start-up ends every other
    Orca of the same user) and D-Bus session, and exits with its code; returns at once
    when already inside. Exits with 77 ("skipped") when a tool is not installed."""
    if os.environ.get(marker) == "1":
        return
    missing = [t for t in tools if not shutil.which(t)] + \
              [p for p in (BUS_LAUNCHER, MODULES + "/sd_generic") if not os.path.exists(p)]
    if missing:
        print(f"{os.path.basename(script)}: skipped ({', '.join(missing)} not installed; "
              "tools/install-deps installs them)")
        sys.exit(SKIPPED)
    env = dict(os.environ, **{marker: "1"})
    command = ["unshare", "--pid", "--fork", "--mount-proc", "dbus-run-session", "--",
               sys.executable, os.path.abspath(script), *sys.argv[1:]]
    sys.exit(subprocess.run(command, env=env, stderr=subprocess.DEVNULL).returncode)


class Listener:
    """A speech-dispatcher that writes what it is asked to say to a file, the accessibility
    bus, and Orca unless orca is False. Each utterance is also logged with its time, voice
    and language (voices.txt: "seconds|voice|language|text"); speaking=S makes each one
    last S seconds unless it is cancelled, so that an interruption shows."""

    def __init__(self, folder, display, orca=True, speaking=0):
        from e2e_keyboard import wait_for
        self.folder = folder
        self.file = os.path.join(folder, "speech.txt")
        self.log = os.path.join(folder, "voices.txt")
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
        voice = os.path.join(folder, "voice.sh")
        with open(voice, "w") as script:
            script.write(f"#!/bin/sh\nprintf '%s\\n' \"$3\" >> {self.file}\n"
                         f"printf '%s|%s|%s|%s\\n' \"$(date +%s.%N)\" \"$1\" \"$2\" \"$3\" >> {self.log}\n"
                         + (f"exec sleep {speaking}\n" if speaking else ""))
        os.chmod(voice, 0o755)
        with open(os.path.join(conf, "modules", "capture.conf"), "w") as module:
            module.write(f'GenericExecuteSynth "{voice} \\\'$VOICE\\\' \\\'$LANGUAGE\\\' \\\'$DATA\\\'"\n')
            for language in VOICES:
                module.write(f'GenericLanguage "{language}" "{language}" "utf-8"\n'
                             f'AddVoice "{language}" "MALE1" "{language}-voice"\n')
        socket = os.path.join(folder, "speechd.sock")
        self.env = dict(os.environ, HOME=home, DISPLAY=display, LANG=LOCALE, LC_ALL=LOCALE,
                        SPEECHD_ADDRESS=f"unix_socket:{socket}",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.processes = []
        self.start([BUS_LAUNCHER, "--launch-immediately"])
        self.start(["speech-dispatcher", "-s", "-t", "0", "-c", "unix_socket", "-S", socket,
                    "-C", conf, "-m", MODULES, "-P", os.path.join(folder, "speechd.pid")])
        wait_for("speech-dispatcher", lambda: os.path.exists(socket))
        if orca:
            self.start(["orca", "-u", os.path.join(folder, "orca"),
                        f"--debug-file={os.path.join(folder, 'orca.debug')}"])
            wait_for("Orca ready", lambda: "屏幕阅读器启用" in self.said(), timeout=20)

    def start(self, command):
        from e2e_keyboard import die_with_parent
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

    def voiced(self):
        """(seconds, voice, language, text) of each utterance, in order."""
        try:
            with open(self.log, encoding="utf-8") as log:
                lines = log.read().splitlines()
        except FileNotFoundError:
            return []
        entries = []
        for line in lines:
            seconds, voice, language, text = line.split("|", 3)
            entries.append((float(seconds), voice, language, text.strip()))
        return entries

    def close(self):
        for process in reversed(self.processes):
            process.terminate()


class Drill:
    def __init__(self, binary, listener):
        import pyatspi
        from e2e_keyboard import Window, wait_for
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
        import pyatspi
        x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.keys("mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")

    def step(self, what, expected, *keys, timeout=10.0):
        """Sends keys; waits for an utterance matching expected, then for 1.5 s of silence.
        Returns the new utterances and the seconds from the last key to the match."""
        from e2e_keyboard import wait_for
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
    from e2e_keyboard import fail
    problem = PROBLEM.search(utterance)
    if not problem:
        fail(f"no problem in {utterance!r}")
    shown = drill.window.equation()
    spoken = [problem.group(i) for i in (2, 4, 6) if problem.group(i)]
    if [shown.group(i) for i in (1, 3, 5) if shown.group(i)] != spoken:
        fail(f"spoken {utterance!r}, shown {shown.group(0)!r}")
    return problem
