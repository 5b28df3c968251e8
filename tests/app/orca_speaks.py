#!/usr/bin/python3
"""What a blind user hears: Debian's screen reader Orca reads the running program, which is
driven with real key presses, and the test checks what Orca says.

    orca_speaks.py PROGRAM

Run it inside tests/support/desktop_session.py --wm --a11y. It starts a speech server of its
own (Speech Dispatcher with its dummy voice, playing into ALSA's null device), Orca with
preferences of its own, and PROGRAM. What Orca says comes from its speech log, the log Orca
keeps of every utterance, handed to the test line by line through a pipe as Orca says it.
Every wait is for an utterance or for a thing to be ready, under a deadline that only a
broken program or desktop reaches.
"""
import os
import queue
import subprocess
import sys
import tempfile
import threading
import time

import pyatspi

# The shared helpers beside the desktop session, read without leaving compiled files in the tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from accessibility_bus import DEADLINE, Failure, children, wait_for  # noqa: E402

MAIN = "Parallelschaltung von Widerständen (Freeware)"
CALCULATOR = "Version 3.0  Parallelschaltung von Widerständen"

# Orca loads this from its preferences folder at start. It passes each utterance of the
# speech log to the test, on one line.
CUSTOMIZATIONS = '''
import logging
import os


class _OneLine(logging.Formatter):
    def format(self, record):
        return record.getMessage().replace("\\n", " ")


_log = logging.getLogger("speech")
if not any(getattr(h, "test_pipe", False) for h in _log.handlers):
    _handler = logging.StreamHandler(os.fdopen(int(os.environ["ORCA_SPEECH_FD"]), "w", buffering=1))
    _handler.test_pipe = True
    _handler.setFormatter(_OneLine())
    _log.addHandler(_handler)
'''

# The dummy voice says nothing of the text; ALSA's null device swallows what it plays.
SPEECHD_CONF = '''AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
AudioALSADevice "null"
'''

SPOKEN = "SPEECH OUTPUT: '"


class Orca:
    """Orca running with its own preferences, its utterances readable as they come."""

    def __init__(self, folder, env):
        prefs = os.path.join(folder, "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w") as file:
            file.write(CUSTOMIZATIONS)
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["orca", "--user-prefs", prefs], env=dict(env, ORCA_SPEECH_FD=str(write_end)),
            pass_fds=(write_end,), stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        os.close(write_end)
        self.heard = []
        self._lines = queue.Queue()
        threading.Thread(target=self._read, args=(read_end,), daemon=True).start()

    def _read(self, fd):
        with os.fdopen(fd) as pipe:
            for line in pipe:
                if line.startswith(SPOKEN):
                    # "SPEECH OUTPUT: 'text'", for keys with the voice behind the quote.
                    self._lines.put(line[len(SPOKEN):line.rindex("'")])
        self._lines.put(None)

    def hear(self, what, matches):
        """The next utterance that matches; the ones before it are passed over."""
        end = time.monotonic() + DEADLINE
        while True:
            try:
                said = self._lines.get(timeout=max(0, end - time.monotonic()))
            except queue.Empty:
                raise Failure("Orca did not say " + what) from None
            if said is None:
                raise Failure("Orca ended before it said %s: %s" % (what, self.process.stdout.read()))
            self.heard.append(said)
            if matches(said):
                return said

    def stop(self):
        self.process.terminate()
        self.process.wait(DEADLINE)


def start_speech_server(folder, env):
    """Speech Dispatcher in the foreground, on a socket of the test's own."""
    config = os.path.join(folder, "speechd")
    os.makedirs(config)
    with open(os.path.join(config, "speechd.conf"), "w") as file:
        file.write(SPEECHD_CONF)
    socket = os.path.join(folder, "speechd.sock")
    server = subprocess.Popen(
        ["speech-dispatcher", "--run-single", "--config-dir", config, "--log-dir", config,
         "--communication-method", "unix_socket", "--socket-path", socket, "--timeout", "0"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the speech server", lambda: server.poll() is None and os.path.exists(socket))
    env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
    return server


def other_orcas():
    found = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                           stdout=subprocess.PIPE, text=True).stdout.split()
    return [int(pid) for pid in found]


def start_orca(folder, env):
    """Orca refuses to start beside another Orca of the same user, whatever its desktop: a
    screen reader test of another build may be running. Its end is waited for."""
    for attempt in range(2):
        orca = Orca(os.path.join(folder, "try%d" % attempt), env)
        try:
            orca.hear("anything after its start", lambda said: True)
            return orca
        except Failure:
            orca.stop()
            if attempt or not other_orcas():
                raise
        wait_for("the other Orca to end", lambda: not other_orcas())
    raise AssertionError("unreachable")


# ---------------------------------------------------------------- the user's hands


def find(root, role, name):
    for child in children(root):
        if child is None:
            continue
        if child.getRole() == role and child.name == name:
            return child
        if child.getRole() != pyatspi.ROLE_TABLE:
            found = find(child, role, name)
            if found:
                return found
    return None


def choose_menu_item(window, name):
    """Menu items offer their click as their first action."""
    find(window, pyatspi.ROLE_MENU_ITEM, name).queryAction().doAction(0)


KEYS = {"Tab": 0xff09, "Shift+Tab": 0xfe20, "Left": 0xff51, " ": 0x20}
CONTROL_MASK = 1 << 2


def press(*keys, control=False):
    """Real key presses: the desktop's accessibility service synthesizes them on the X server."""
    if control:
        pyatspi.Registry.generateKeyboardEvent(CONTROL_MASK, None, pyatspi.KEY_LOCKMODIFIERS)
    for key in keys:
        pyatspi.Registry.generateKeyboardEvent(KEYS.get(key) or ord(key), None, pyatspi.KEY_SYM)
    if control:
        pyatspi.Registry.generateKeyboardEvent(CONTROL_MASK, None, pyatspi.KEY_UNLOCKMODIFIERS)


# ---------------------------------------------------------------- what is heard


def use_both_calculators(orca, main_window):
    choose_menu_item(main_window, "Rges gegeben")
    orca.hear("the calculator window", lambda said: said.startswith(CALCULATOR))

    # Into the matrix: the current cell is spoken, and it is a shown one (3300 with 10000).
    press("Tab")
    orca.hear("the current cell on entering the matrix", lambda said: said.startswith("2481,2"))
    # At the matrix's end the first arrow press already moves to a shown cell (3300, 8200).
    press("Left")
    orca.hear("the cell left of it", lambda said: "2353,0" in said)

    # Over the unit buttons into the wanted value, read in full.
    press("Tab", "Tab")
    orca.hear("the wanted value field", lambda said: said.startswith("gesuchter Widerstand"))
    orca.hear("the wanted value", lambda said: said.startswith("73,0"))
    # The result of typing a value is spoken while the user stays in the field.
    press("1", "5", "0")
    orca.hear("the counts and the band for 150",
              lambda said: said == "kleiner: 14 x, gleich: 0 x, größer: 4 x, gesamt: 18 x. "
                                   "5 % Toleranz ergibt einen Bereich von 142,50 bis 157,50 Ohm.")

    # Ctrl+Tab leads from the field to the list, into its entry field, named by its position.
    press("Tab", control=True)
    orca.hear("the entry field of the first resistor", lambda said: said.startswith("1. Widerstand"))
    press("1", "0", "0", "Tab", " ")
    orca.hear("the total after \"Ok und neu\"",
              lambda said: said.startswith("Gesamtwiderstand: 100,00 Ohm. 2. Widerstand"))
    press("Shift+Tab")
    orca.hear("the entry field of the second resistor", lambda said: said.startswith("2. Widerstand"))

    # The info window is read as a dialog: title, then its texts.
    choose_menu_item(main_window, "Info")
    orca.hear("the info window's text", lambda said: "Freeware für Funkamateure." in said)


def main():
    program = sys.argv[1]
    failure = None
    started = []
    orca = None
    with tempfile.TemporaryDirectory() as folder:
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=folder, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(folder, "config"),
                   XDG_DATA_HOME=os.path.join(folder, "data"),
                   XDG_CACHE_HOME=os.path.join(folder, "cache"))
        env.pop("LANGUAGE", None)
        try:
            started.append(start_speech_server(folder, env))
            orca = start_orca(folder, env)
            started.append(orca)
            process = subprocess.Popen([program], env=env)
            started.append(process)
            desktop = pyatspi.Registry.getDesktop(0)
            app = wait_for("the program on the accessibility bus", lambda: next(
                (a for a in children(desktop) if a and a.get_process_id() == process.pid), None))
            main_window = wait_for("the main window", lambda: next(
                (w for w in children(app) if w.getRole() == pyatspi.ROLE_FRAME
                 and w.getState().contains(pyatspi.STATE_ACTIVE)), None))
            orca.hear("the main window", lambda said: MAIN in said)
            use_both_calculators(orca, main_window)
        except Failure as error:
            failure = str(error)
        finally:
            for item in reversed(started):
                if isinstance(item, Orca):
                    item.stop()
                else:
                    item.terminate()
                    item.wait(DEADLINE)
    if failure:
        print(failure)
        print("---- what Orca said:")
        print("\n".join(orca.heard if orca else []))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
