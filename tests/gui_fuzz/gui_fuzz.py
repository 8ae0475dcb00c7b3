"""A random tester of the real program: a child's and a parent's keys and clicks, at random.

Drives the program under Xvfb and openbox with real X keys and clicks (xdotool), reads it
through the accessibility bus, and after every action compares the window with a model of
what the drill must show. A crash, a hang or a divergence saves the screen, the
accessibility tree and the last actions, then shrinks the sequence to a short replay.

Each run starts its own D-Bus session (pyatspi imports only in /usr/bin/python3):
  /usr/bin/python3 gui_fuzz.py BINARY [--seed N] [--actions N] [--out DIR]
  /usr/bin/python3 gui_fuzz.py BINARY --replay FILE [--shrink-minutes M]
  /usr/bin/python3 gui_fuzz.py BINARY --keep-going --jobs J --actions N   (long runs)
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_keyboard import EQUATION, PRAISE, PROMPT, Session, walk  # noqa: E402

import pyatspi  # noqa: E402

WAITING = "稍等，出题中... ..."
HINT = "提示："
ANSWERS, SETTINGS = ("edt1", "edt3"), ("edt2", "lbledt1")
EDITS = ANSWERS + SETTINGS
TAB_ORDER = ["edt1", "btn1", "edt3", "choice", "edt2", "lbledt1", "chkadd", "chkdel"]
DIGIT_KEYS = [str(d) for d in range(10)]
PASTES = ["abc", "2147483648", "7", " 12", "12 ", "+3", "$1F", "-"]


class Divergence(Exception):
    pass


def to_integer(text):
    """The program's text-to-number conversion; None where it fails."""
    m = re.fullmatch(r" *([+-]?)(?:(?:\$|0?[xX])([0-9a-fA-F]{1,8})|(\d+))", text)
    if not m:
        return None
    if m.group(2):
        value = int(m.group(2), 16)
        value = -value if m.group(1) == "-" else value
        return (value + 2**31) % 2**32 - 2**31
    value = int(m.group(3)) * (-1 if m.group(1) == "-" else 1)
    return value if -2**31 <= value < 2**31 else None


def wrap(value):
    return (value + 2**31) % 2**32 - 2**31


class Model:
    """What the window must show, from the drill's rules; problems are read as they are set."""

    def __init__(self):
        self.answer, self.boxes = "", {"edt2": "20", "lbledt1": "25"}
        self.max_value, self.limit, self.three = 20, 25, True
        self.switches = {"chkadd": True, "chkdel": True}
        self.correct = self.wrong = 0
        self.feedback, self.score = HINT, "正确个数:\n错误个数:"
        self.focus, self.where, self.error = "edt1", "main", None   # where: main, about, menu, box
        self.about = "hidden"                                         # hidden, shown, minimised
        self.log_shown, self.clicks, self.problems = False, 0, 1
        self.problem, self.fresh, self.resting = None, True, False
        self.seen, self.alt_alone, self.caret = set(), False, None
        self.paste = ""

    def mode(self):
        return (1 if self.switches["chkadd"] else 0) + (2 if self.switches["chkdel"] else 0)

    def set_focus(self, name):
        if self.focus == "mmo1" and name != "mmo1":
            self.log_shown = False   # the log hides when it loses the focus
        self.focus = name

    def text(self, name):
        return self.answer if name in ANSWERS else self.boxes[name]

    def set_text(self, name, text):
        if name in ANSWERS:
            self.answer = text
        else:
            self.boxes[name] = text

    def gett(self):
        if self.correct >= self.limit:
            self.resting, self.score = True, f"已经做了{self.limit}道题了,休息吧."
            return
        self.resting, self.fresh = False, True
        self.problems += 1

    def next_problem(self):
        self.gett()
        self.set_focus("edt1")
        self.answer = ""

    def submit(self, sender):
        focus = sender if sender in ANSWERS else "edt1"
        if self.answer == "":
            self.gett()
            self.set_focus("edt1")
            return
        value = to_integer(self.answer)
        if value is None:
            self.answer = ""
        elif value == self.problem["answer"]:
            self.feedback, self.correct = PRAISE, self.correct + 1
            self.score = f"正确个数:{self.correct}\n错误次数:{self.wrong}"
            self.gett()
            self.answer = ""
        else:
            self.feedback, self.wrong = PROMPT, self.wrong + 1
            self.score = f"正确个数:{self.correct}\n错误次数:{self.wrong}"
            self.answer = ""
        self.set_focus(focus)

    def edit(self, name, key, insert=None):
        """A key in an edit box, from the caret and selection read just before it."""
        text = self.text(name)
        start, end, cursor = self.caret or (len(text), len(text), len(text))
        if key in DIGIT_KEYS:
            if text == "0" and key == "0":
                return   # the filter looks at the text before the key: no "00"
            insert = key
        if insert is not None:
            self.set_text(name, text[:start] + insert + text[end:])
            cursor = start + len(insert)
        elif start != end:
            self.set_text(name, text[:start] + text[end:])
            cursor = start
        elif key == "BackSpace" and cursor > 0:
            self.set_text(name, text[:cursor - 1] + text[cursor:])
            cursor -= 1
        elif key == "Delete" and cursor < len(text):
            self.set_text(name, text[:cursor] + text[cursor + 1:])
        self.caret = (cursor, cursor, cursor)

    def convert_setting(self, name):
        text = self.boxes[name]
        if text == "":
            return
        value = to_integer(text)
        if value is None:
            self.where, self.error = "box", f"'{text}' is not a valid integer value."
        elif name == "edt2":
            self.max_value = value
        else:
            self.limit = value

    def press(self, key, mods):
        if self.where == "box":
            if key in ("Return", "Escape"):
                self.where = "main"   # the box closes on the press; its release is not ours
            return
        if self.where == "about":
            if key == "Escape":
                self.about, self.where = "hidden", "main"
            return
        if self.where == "menu":
            if key == "Escape":
                self.leave_menu()
            return
        self.seen.add(key)
        self.alt_alone = key == "Alt_L"
        f, ctrl, alt = self.focus, "ctrl" in mods, "alt" in mods
        if key in ("Alt_L", "Control_L", "Shift_L"):
            return
        if key == "n" and not ctrl and (alt or f not in EDITS + ("mmo1",)):
            self.submit("btn1")   # the Next button's accelerator
            return
        if alt:
            return
        if key == "Tab":
            order = [("three" if self.three else "two") if n == "choice" else n for n in TAB_ORDER]
            order += ["mmo1"] if self.log_shown else []
            self.set_focus(order[(order.index(f) + (-1 if "shift" in mods else 1)) % len(order)])
            return
        if f == "btn1" and key == "Return":
            self.submit("btn1")
        if f not in EDITS:
            return
        typed = key in DIGIT_KEYS + ["BackSpace", "Return", "Escape", "space", "n"] or (ctrl and key == "z")
        if key == "Return":
            if f in ANSWERS:
                if self.answer == "":
                    self.answer = "0"
                self.submit(f)
            elif f == "edt2":
                self.next_problem()
            return
        if typed and f in ANSWERS:
            self.feedback = ""
        if key == "Insert" and "shift" in mods:
            self.edit(f, key, insert=self.paste)
        elif key in DIGIT_KEYS + ["BackSpace", "Delete"]:
            self.edit(f, key)
        elif key in ("Home", "End") and "shift" not in mods:
            at = 0 if key == "Home" else len(self.text(f))
            self.caret = (at, at, at)

    def release(self, key, mods):
        if self.where == "box" and key == "space":
            self.where = "main"   # a button acts on the release
            return
        if self.where != "main" or key not in self.seen:
            return   # a release whose press the window never saw
        self.seen.discard(key)
        if key == "Alt_L" and self.alt_alone:
            self.where = "menu"   # Alt alone enters the menu bar; the box keeps its text
            return
        if key == "z" and "ctrl" in mods:
            self.feedback = f"正确答案\n{self.problem['answer']}"
            return
        if key in ("n", "space"):
            self.next_problem()
            return
        if self.focus in SETTINGS:
            self.convert_setting(self.focus)

    def leave_menu(self):
        """Leaving the menu gives the focus back to the control that had it."""
        self.where = "main"

    def click(self, target):
        if self.where == "menu":
            self.leave_menu()
        self.where = "main"   # a click brings the main window to the front
        if target in ("chkche", "chkdiv"):
            return   # disabled
        if target == "grp6":
            self.clicks += 1
            if self.clicks == 19:
                self.clicks, self.log_shown = 0, True
            return
        if target == "btn1":
            self.submit("btn1")
        elif target in ("chkadd", "chkdel"):
            self.switches[target] = not self.switches[target]
            if self.mode() == 0:
                self.switches["chkadd"] = True
                self.next_problem()
            self.next_problem()
        elif target in ("two", "three"):
            self.three = target == "three"
            self.next_problem()
        else:
            self.set_focus(target)


def sign_of(code):
    return {1: "＋", 2: "－"}.get(code, "")


class Window:
    """The program's controls found once on the accessibility bus; what they show, read in one go."""

    def __init__(self, session):
        self.s = session
        app = session.window.app
        nodes = [n for n in walk(app)]
        named = {}
        for n in nodes:
            named.setdefault((n.getRoleName(), n.name), []).append(n)
        answers = sorted(named[("text", "答案")], key=lambda n: self.extents(n)[1])
        self.c = {"edt3": answers[0], "edt1": answers[1], "edt2": named[("text", "运算最大值")][0],
                  "lbledt1": named[("text", "每次最多出")][0], "chkadd": named[("check box", "加法")][0],
                  "chkdel": named[("check box", "减法")][0], "chkche": named[("check box", "乘法")][0],
                  "chkdiv": named[("check box", "除法")][0], "two": named[("radio button", "两个数运算")][0],
                  "three": named[("radio button", "三个数运算")][0],
                  "btn1": next(n for n in nodes if n.getRoleName() == "push button" and "下一题" in n.name),
                  "grp6": next(n for n in nodes if n.getRoleName() == "panel" and n.name == "取值范围"),
                  "grp4": next(n for n in nodes if n.getRoleName() == "panel" and n.name.startswith("请计算"))}
        self.c["mmo1"] = next(n for n in nodes if n.getRoleName() == "text" and n not in self.c.values())
        labels = [n for n in nodes if n.getRoleName() == "label"]
        self.c["lbl6"] = next(n for n in labels if EQUATION.match(n.name))
        self.c["lbl3"] = next(n for n in labels if n.name.startswith("正确个数"))
        self.c["lbl2"] = next(n for n in labels if n.name == HINT)
        column = self.extents(next(n for n in nodes if n.getRoleName() == "panel" and n.name == "竖式"))
        rows = [n for n in labels if self.inside(self.extents(n), column)]
        rows.sort(key=lambda n: (self.extents(n)[1], self.extents(n)[0]))
        self.c["lbl5"], self.c["lbl8"], self.c["lbl1"], self.c["lbl9"], self.c["lbl4"] = rows[:5]

    @staticmethod
    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    @staticmethod
    def inside(a, b):
        return b[0] <= a[0] and b[1] <= a[1] and a[0] + a[2] <= b[0] + b[2] and a[1] + a[3] <= b[1] + b[3]

    def state(self, name, which):
        return self.c[name].getState().contains(which)

    def caret(self, name):
        text = self.c[name].queryText()
        if text.getNSelections():
            start, end = text.getSelection(0)
            return start, end, text.caretOffset
        return text.caretOffset, text.caretOffset, text.caretOffset

    def observe(self):
        c = self.c
        seen = {name: c[name].queryText().getText(0, -1) for name in EDITS + ("mmo1",)}
        seen.update({name: c[name].name for name in ("lbl6", "lbl3", "lbl2", "lbl5", "lbl1", "lbl4", "lbl8",
                                                      "lbl9", "grp4")})
        if seen["lbl8"] == "竖式":
            seen["lbl8"] = ""   # an empty label is named after its group box
        seen["lbl5 shown"] = self.state("lbl5", pyatspi.STATE_SHOWING)
        seen["mmo1 shown"] = self.state("mmo1", pyatspi.STATE_SHOWING)
        for name in ("chkadd", "chkdel", "three"):
            seen[name] = self.state(name, pyatspi.STATE_CHECKED)
        seen["focus"] = next((n for n in ("edt1", "edt3", "edt2", "lbledt1", "mmo1", "btn1", "chkadd", "chkdel",
                                          "two", "three") if self.state(n, pyatspi.STATE_FOCUSED)), None)
        seen["boxes"] = self.message_boxes()
        if self.s.about_may_change:
            about = self.s.windows("^Lexfield$")
            seen["about"] = bool(about)
            if about:   # the always-on-top About window above the main window
                stack = self.s.stacking()
                seen["about above"] = about[0] in stack and stack.index(about[0]) > stack.index(self.s.wid)
        return seen

    def message_boxes(self):
        texts = []
        for i in range(self.s.window.app.childCount):
            top = self.s.window.app.getChildAtIndex(i)
            if top is not None and top.getRoleName() in ("dialog", "alert"):
                texts += [n.name for n in walk(top) if n.getRoleName() == "label" and n.name]
        return texts


def check(model, seen, s):
    """Every way the window can differ from the model, as a list of messages."""
    wrong = []

    def expect(what, got, want):
        if got != want:
            wrong.append(f"{what}: window {got!r}, model {want!r}")

    expect("top answer box", seen["edt3"], model.answer)
    expect("bottom answer box", seen["edt1"], model.answer)
    expect("max box", seen["edt2"], model.boxes["edt2"])
    expect("limit box", seen["lbledt1"], model.boxes["lbledt1"])
    expect("feedback", seen["lbl2"], model.feedback)
    expect("score", seen["lbl3"], model.score)
    expect("addition switch", seen["chkadd"], model.switches["chkadd"])
    expect("subtraction switch", seen["chkdel"], model.switches["chkdel"])
    expect("three numbers", seen["three"], model.three)
    expect("log shown", seen["mmo1 shown"], model.log_shown)
    expect("problems in the log", seen["mmo1"].count("v0:"), model.problems)
    if "about" in seen:
        expect("About shown", seen["about"], model.about == "shown")
    if "about above" in seen:
        expect("About above the main window", seen["about above"], True)
    expect("message boxes", seen["boxes"], [model.error] if model.where == "box" else [])
    # Another window (the About window, a message box) or the menu has the keyboard otherwise.
    expect("focus", seen["focus"], model.focus if model.where == "main" else None)
    if model.where == "box":
        boxes = [w for w in s.windows("^Sumbrook$") if w != s.wid]
        if not boxes or s.stacking()[-1] != boxes[0]:
            wrong.append(f"the error box is not on top: stacking {s.stacking()}, boxes {boxes}")
    if model.resting:
        expect("equation while resting", seen["lbl6"], WAITING)
        if model.problem:
            expect("header while resting", seen["grp4"], model.problem["header"])
        return wrong
    if not model.fresh:
        expect("equation", seen["lbl6"], model.problem["text"])
        expect("header", seen["grp4"], model.problem["header"])
        return wrong
    m = EQUATION.match(seen["lbl6"])
    if not m:
        return wrong + [f"equation: window {seen['lbl6']!r} is no problem"]
    ops = [int(m.group(1)), int(m.group(3))] + ([int(m.group(5))] if m.group(5) else [])
    signs = [m.group(2)] + ([m.group(4)] if m.group(4) else [])
    answer = ops[0]
    for sign, op in zip(signs, ops[1:]):
        answer = wrap(answer + op if sign == "＋" else answer - op)
    expect("numbers in the problem", len(ops), 3 if model.three else 2)
    if model.mode() != 3 and any(sign != sign_of(model.mode()) for sign in signs):
        wrong.append(f"operators {signs} with mode {model.mode()}")
    if any(not 0 <= op <= model.max_value for op in ops):
        wrong.append(f"operands {ops} beyond 0..{model.max_value}")
    if ops[0] < ops[1]:
        wrong.append(f"operands {ops} not ordered")
    if answer < 0 and sum(ops) < 2**31:
        wrong.append(f"negative result {answer}")
    header = f"请计算:第{model.correct + 1}题:"
    expect("header", seen["grp4"], header)
    rows = ["lbl5", "lbl1", "lbl4"] if model.three else ["lbl1", "lbl4"]
    for row, op in zip(rows, ops):
        expect(f"column row {row}", seen[row], "%2d" % op)
    expect("top row shown", seen["lbl5 shown"], model.three)
    expect("column signs", [seen["lbl8"], seen["lbl9"]], signs if model.three else [""] + signs)
    if not wrong:
        model.problem = {"text": seen["lbl6"], "answer": answer, "header": header}
        model.fresh = False
    return wrong


# The actions: name -> (weight, when it applies, what it sends). Keys go as X events, press
# and release apart, so that the model takes them in the order the program does; a string
# is a step of the driver's own (a click, a window manager request).
def taps(*keys, mods=()):
    return [("down", MODS[m]) for m in mods] + [e for k in keys for e in (("down", k), ("up", k))] + \
        [("up", MODS[m]) for m in reversed(mods)]


MODS = {"shift": "Shift_L", "ctrl": "Control_L", "alt": "Alt_L"}


def build_actions():
    def typing(m):
        return m.where in ("main", "about", "box") and not (m.where == "main" and m.focus == "mmo1")

    def main(m):
        return m.where == "main" and m.focus != "mmo1"

    def in_edit(m):
        return m.where == "main" and m.focus in EDITS

    def clicking(m):
        return m.where != "box"

    def right_answer(m):
        answer = m.problem["answer"] if m.problem else 0
        typed = taps("End") + taps("BackSpace") * len(m.answer)
        return typed + (taps(*str(answer), "Return") if answer >= 0 else taps("Return"))

    acts = {f"key {d}": (5, typing, taps(d)) for d in DIGIT_KEYS}
    acts.update({f"key {k}": (w, in_edit, taps(k)) for k, w in
                 (("BackSpace", 5), ("Delete", 2), ("Left", 2), ("Right", 1), ("Home", 1), ("End", 1))})
    acts.update({f"shift {k}": (1, in_edit, taps(k, mods=["shift"])) for k in ("Left", "Right", "Home", "End")})
    acts.update({
        "right answer": (8, lambda m: m.where == "main" and m.focus in ANSWERS, right_answer),
        "key Return": (8, typing, taps("Return")), "key space": (3, typing, taps("space")),
        "key n": (2, main, taps("n")), "alt n": (2, main, taps("n", mods=["alt"])),
        "ctrl z": (3, main, taps("z", mods=["ctrl"])), "key Tab": (2, main, taps("Tab")),
        "shift Tab": (1, main, taps("Tab", mods=["shift"])), "key Escape": (2, lambda m: True, taps("Escape")),
        "key Alt_L": (1, lambda m: m.where == "main", taps("Alt_L")),
        "paste": (1, lambda m: in_edit(m) and m.focus in SETTINGS, taps("Insert", mods=["shift"])),
        "about": (1, lambda m: m.where == "main", ["about"]),
        "minimise about": (1, lambda m: m.about == "shown" and m.where != "box", ["minimise about"]),
        "minimise": (1, lambda m: m.where == "main" and m.about == "hidden", ["minimise"]),
        "click ok": (2, lambda m: m.where == "box", ["click ok"]),
        "reveal log": (1, lambda m: clicking(m) and m.about != "shown" and not m.log_shown, ["reveal log"]),
        "click mmo1": (1, lambda m: clicking(m) and m.log_shown, ["click mmo1"]),
        "click choice": (1, clicking, ["click choice"]),
    })
    for target, weight in (("edt1", 4), ("edt3", 3), ("btn1", 3), ("chkadd", 1), ("chkdel", 1), ("chkche", 1),
                           ("chkdiv", 1), ("grp6", 1), ("edt2", 2), ("lbledt1", 2)):
        acts[f"click {target}"] = (weight, clicking, [f"click {target}"])
    for box in SETTINGS:
        acts[f"clear {box}"] = (1, clicking, [f"click {box}"] + taps("End") + taps("BackSpace") * 11)
    return acts


ACTIONS = build_actions()


class Driver:
    def __init__(self, binary, out):
        self.binary, self.out = binary, out
        for attempt in range(4):
            self.s = Session.__new__(Session)
            try:
                self.s.__init__(binary, window_manager=True)
                break
            except SystemExit:   # it did not start (the message is printed): end what did, try again
                for name in ("program", "wm", "xvfb"):
                    if getattr(self.s, name, None):
                        getattr(self.s, name).kill()
                print(f"start {attempt + 1} failed", flush=True)
                time.sleep(5 * (attempt + 1))   # past a burst of load on the machine
        else:
            raise Divergence("four starts in a row did not come up with the first problem")
        for _ in range(50):   # the tree may still be filling in
            try:
                self.w = Window(self.s)
                break
            except Exception as error:
                problem = error
                time.sleep(0.1)
        else:
            self.s.close()
            raise Divergence(f"the window's controls not found: {problem!r}")
        self.model, self.done, self.held, self.last_click = Model(), [], set(), (0, 0, 0)
        self.s.about_may_change = True
        self.wait_for_model(10)

    def close(self):
        try:
            self.s.close()
        except subprocess.TimeoutExpired:   # a server slow to go on a loaded machine
            self.s.xvfb.kill()

    def xdo(self, *args):
        return self.s.xdotool(*args)

    def click_at(self, x, y):
        # A second click on the same spot soon after the first is a double click: wait it out.
        last_x, last_y, last = self.last_click
        if (x, y) == (last_x, last_y) and time.monotonic() - last < 0.8:
            time.sleep(0.8 - (time.monotonic() - last))
        # (--sync would wait for a move, and there is none when the pointer is already there)
        self.xdo("mousemove", str(x), str(y), "click", "1")
        self.last_click = (x, y, time.monotonic())

    def point(self, name):
        """The middle of a control, or a point of it beside the About window; None if covered."""
        x, y, w, h = self.w.extents(self.w.c[name])
        app = self.s.window.app
        about = [app.getChildAtIndex(i) for i in range(app.childCount)]
        about = [a for a in about if a is not None and a.name == "Lexfield" and
                 a.getState().contains(pyatspi.STATE_SHOWING)]
        if not about:
            return x + w // 2, y + h // 2
        ax, ay, aw, ah = self.w.extents(about[0])
        for px in (x + w // 2, x + 6, x + w - 6):
            if not (ax - 8 <= px <= ax + aw + 8 and ay - 40 <= y + h // 2 <= ay + ah + 8):
                return px, y + h // 2
        return None

    def perform(self, name):
        m = self.model
        if name.startswith("paste "):
            m.paste, name = json.loads(name[6:]), "paste"
        _, applies, events = ACTIONS[name]
        if not applies(m):
            return False
        events = events(m) if callable(events) else events
        if m.where == "main" and m.focus in EDITS:
            m.caret = self.w.caret(m.focus)
        keys = []   # sent in one go; the model takes them one by one
        for event in events:
            if isinstance(event, str):
                self.send(keys)
                if not self.step_of_our_own(event):
                    return False
                continue
            kind, key = event
            mods = {k for k, v in MODS.items() if v in self.held}
            if kind == "down":
                if key == "Insert":
                    subprocess.run(["xclip", "-selection", "clipboard"], input=m.paste.encode(), env=self.s.env,
                                   stderr=subprocess.DEVNULL, check=True)
                m.press(key, mods)
                self.held.add(key)
            else:
                self.held.discard(key)
                m.release(key, mods)
            keys += ["keydown" if kind == "down" else "keyup", key]
        self.send(keys)
        return True

    def send(self, keys):
        if keys:
            self.xdo(*keys)
            keys.clear()

    def step_of_our_own(self, what):
        m, s = self.model, self.s
        if what.startswith("click ") and what != "click ok":
            target = what[6:] if what != "click choice" else ("two" if m.three else "three")
            where = self.point(target)
            if where is None:
                return False
            self.click_at(*where)
            m.click(target)
        elif what == "click ok":
            ok = next(n for i in range(s.window.app.childCount) for n in walk(s.window.app.getChildAtIndex(i))
                      if n.getRoleName() == "push button" and n.name == "OK")
            x, y, w, h = self.w.extents(ok)
            self.click_at(x + w // 2, y + h // 2)
            m.where = "main"
        elif what == "about":
            self.xdo("keydown", "Alt_L", "keydown", "s", "keyup", "s", "keyup", "Alt_L")
            menu = next(n for n in walk(s.window.app) if n.getRoleName() == "popup menu")
            end = time.monotonic() + 5
            while not menu.getState().contains(pyatspi.STATE_SHOWING) and time.monotonic() < end:
                time.sleep(0.05)
            self.xdo("key", "a")
            m.about, m.where = "shown", "about"
        elif what == "reveal log":
            x, y, w, h = self.w.extents(self.w.c["grp6"])
            clicks = []
            for i in range(19 - m.clicks):   # at two points apart: no click is a double click
                clicks += ["mousemove", str(x + 6 + 40 * (i % 2)), str(y + h - 5), "click", "1"]
                m.click("grp6")
            self.xdo(*clicks)
            self.last_click = (int(clicks[-4]), int(clicks[-3]), time.monotonic())
        elif what == "minimise":
            s.xdotool("windowminimize", "--sync", str(s.wid))
            s.xdotool("windowactivate", "--sync", str(s.wid))
        elif what == "minimise about":
            about = s.windows("^Lexfield$")
            if not about:
                return False
            s.xdotool("windowminimize", "--sync", str(about[0]))
            m.about = "minimised"
            if m.where == "about":
                s.xdotool("windowactivate", "--sync", str(s.wid))
                m.where = "main"
        return True

    def wait_for_model(self, slack):
        last, wrong = None, ["no look yet"]
        end = time.monotonic() + slack
        time.sleep(0.03)
        while True:
            if self.s.program.poll() is not None:
                raise Divergence(f"the program ended with {self.s.program.returncode}: {self.s.stderr()[-2000:]}")
            try:
                last = self.w.observe()
                wrong = check(self.model, last, self.s)
            except Exception as error:   # the window may be busy or half redrawn: ask again
                wrong = [f"reading the window: {error!r}"]
            if not wrong or time.monotonic() > end:
                break
            time.sleep(0.05)
        if wrong:
            raise Divergence("; ".join(wrong) + f"\nwindow: {last}")

    def step(self, name):
        before = self.model.problems
        self.s.about_may_change = name in ("about", "minimise about", "key Escape", "minimise", "reveal log") or \
            len(self.done) % 10 == 0
        if self.perform(name):
            self.done.append(name)
            gets = self.model.problems - before + (1 if self.model.resting else 0)
            self.wait_for_model(3 + 1.5 * gets + (4 if name in ("reveal log", "minimise", "about") else 0))

    def save(self, why):
        os.makedirs(self.out, exist_ok=True)
        self.s.shot(os.path.join(self.out, "screen.png"))
        with open(os.path.join(self.out, "tree.txt"), "w", encoding="utf-8") as tree:
            for node in walk(self.s.window.app):
                tree.write(f"{node.getRoleName()} {node.name!r} {node.getState().getStates()}\n")
        with open(os.path.join(self.out, "actions.json"), "w", encoding="utf-8") as f:
            json.dump({"actions": self.done}, f, ensure_ascii=False, indent=1)
        with open(os.path.join(self.out, "failure.txt"), "w", encoding="utf-8") as f:
            f.write(f"{why}\n\nlast actions:\n" + "\n".join(self.done[-60:]) + "\n\nstderr:\n" + self.s.stderr())


def choose(rng, model):
    names = [n for n, (w, applies, _) in ACTIONS.items() if w and applies(model)]
    name = rng.choices(names, [ACTIONS[n][0] for n in names])[0]
    return f"paste {json.dumps(rng.choice(PASTES))}" if name == "paste" else name


def run(binary, out, count=0, seed=0, chosen=None, save=True):
    """Runs a given sequence, or count actions drawn from the seed: (failure or None, actions done)."""
    rng = random.Random(seed)
    try:
        driver = Driver(binary, out)
    except Divergence as error:
        return str(error), []
    try:
        for i in range(len(chosen) if chosen is not None else count):
            driver.step(chosen[i] if chosen is not None else choose(rng, driver.model))
            if (i + 1) % 1000 == 0:
                print(f"  {i + 1} actions", flush=True)
        return None, driver.done
    except Divergence as error:
        if save:
            driver.save(str(error))
        return str(error).splitlines()[0], driver.done
    finally:
        driver.close()


def shrink(binary, out, sequence, budget):
    """Drops ever smaller chunks of a failing sequence while it still fails."""
    chunk, end = max(1, len(sequence) // 2), time.monotonic() + budget
    while chunk >= 1 and time.monotonic() < end:
        i = 0
        while i < len(sequence) and time.monotonic() < end:
            failure, _ = run(binary, out, chosen=sequence[:i] + sequence[i + chunk:], save=False)
            if failure:
                sequence = sequence[:i] + sequence[i + chunk:]
                print(f"  still fails with {len(sequence)} actions", flush=True)
            else:
                i += chunk
        chunk //= 2
    return sequence


def long_run(args):
    """Rounds of the tester, each in its own D-Bus session and display, `jobs` at a time,
    until `actions` are done; a divergence ends its round (saved in out/N/) and a new one
    starts in its place."""
    lock, state = threading.Lock(), {"done": 0, "given": 0, "round": 0, "failures": []}

    def rounds():
        while True:
            with lock:
                left = args.actions - state["given"]
                if left <= 0 or state["round"] >= 1000:
                    return
                count, state["round"] = min(left, 2000), state["round"] + 1
                state["given"] += count
                number = state["round"]
            out = os.path.join(args.out, str(number))
            child = subprocess.run([sys.executable, os.path.abspath(__file__), args.binary,
                                    "--seed", str(args.seed + number - 1), "--actions", str(count), "--out", out,
                                    "--shrink-minutes", "0", "--without", args.without],
                                   capture_output=True, text=True)
            m = re.search(r"^(\d+) actions, seed", child.stdout, re.M)
            done = int(m.group(1)) if m else 0
            with lock:
                state["done"] += done
                state["given"] -= count - done
                lines = [line for line in child.stdout.splitlines() if line.startswith(("FAIL", "start"))]
                lines += [] if lines or not child.returncode else [child.stderr.strip().splitlines()[-1]]
                if child.returncode:
                    state["failures"].append(f"round {number}: " + (lines[-1] if lines else child.stderr[-300:]))
                print(f"round {number}: {done} actions{'; ' + '; '.join(lines) if lines else ''} "
                      f"(total {state['done']})", flush=True)

    workers = [threading.Thread(target=rounds) for _ in range(args.jobs)]
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    return state["done"], state["failures"]


def in_a_session_of_its_own():
    """Runs this script again in a D-Bus session and a runtime folder of its own: the
    accessibility bus names its socket in that folder, and sessions side by side (rounds,
    other tests on the machine) would otherwise take each other's."""
    if os.environ.get("GUI_FUZZ_SESSION"):
        return
    runtime = tempfile.mkdtemp(prefix="gui_fuzz_")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, GUI_FUZZ_SESSION="1")
    try:
        code = subprocess.call(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), *sys.argv[1:]],
                               env=env)
    finally:
        shutil.rmtree(runtime, ignore_errors=True)
    sys.exit(code)


def main():
    if "--keep-going" not in sys.argv:
        in_a_session_of_its_own()
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--actions", type=int, default=300)
    parser.add_argument("--out", default="gui_fuzz_failure")
    parser.add_argument("--replay", help="a replay file written by an earlier failing run")
    parser.add_argument("--shrink-minutes", type=float, default=10)
    parser.add_argument("--without", default="", help="actions left out, by name, comma-separated")
    parser.add_argument("--keep-going", action="store_true",
                        help="after a divergence, save it (out/1, out/2, ...), start afresh and go on")
    parser.add_argument("--jobs", type=int, default=1, help="with --keep-going: rounds run side by side")
    args = parser.parse_args()
    for name in filter(None, args.without.split(",")):
        ACTIONS[name] = (0,) + ACTIONS[name][1:]
    start = time.monotonic()
    if args.keep_going:
        done, failures = long_run(args)
    else:
        with open(args.replay, encoding="utf-8") if args.replay else open(os.devnull) as f:
            chosen = json.load(f)["actions"] if args.replay else None
        failure, done = run(args.binary, args.out, count=args.actions, seed=args.seed, chosen=chosen)
        failures = [(failure, done)] if failure else []
        if failure:
            print(f"FAIL after {len(done)} actions: {failure}\n  saved in {args.out}/", flush=True)
        done = len(done)
    took = time.monotonic() - start
    print(f"{done} actions, seed {args.seed}, {took:.0f} s, {done / took:.2f} actions per second, "
          f"{len(failures)} divergences", flush=True)
    if not failures:
        print("PASS")
        return
    for failure in failures if args.keep_going else []:
        print(" ", failure)
    if args.shrink_minutes > 0 and not args.keep_going:
        failure, these = failures[0]
        short = shrink(args.binary, args.out, these, args.shrink_minutes * 60)
        with open(os.path.join(args.out, "replay.json"), "w", encoding="utf-8") as f:
            json.dump({"seed": args.seed, "failure": failure, "actions": short}, f, ensure_ascii=False, indent=1)
        print(f"  replay of {len(short)} actions: {args.out}/replay.json (rerun with --replay)")
    sys.exit(1)


if __name__ == "__main__":
    main()
