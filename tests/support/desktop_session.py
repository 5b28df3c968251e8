#!/usr/bin/python3
"""Runs one command inside a desktop of its own: a virtual X server, optionally a real window
manager and a private session bus with the accessibility bus, and takes all of it down again.

    desktop_session.py [--screen 1366x768] [--wm] [--a11y] -- command [args...]

The command sees DISPLAY (and DBUS_SESSION_BUS_ADDRESS with --a11y); its exit status is the
session's. Every step waits for the thing it starts to say it is ready (the X server writes
its display number, the window manager publishes its client list on the root window, the bus
prints its address), so nothing depends on how fast the machine is.
"""
import argparse
import os
import signal
import subprocess
import sys
import tempfile

READY_TIMEOUT = 30  # seconds; only reached when something is broken


def fail(message):
    print("desktop_session: " + message, file=sys.stderr)
    sys.exit(125)


def start_x(screen, stack):
    read_fd, write_fd = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen + "x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    stack.append(server)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        fail("Xvfb did not start")
    return ":" + number


def start_wm(env, stack):
    # xprop -spy prints the root's properties now and at every change. The window manager is
    # ready once it has published its client list: openbox does that last, after its check
    # window and the work area, which programs read to place their windows.
    spy = subprocess.Popen(["xprop", "-root", "-spy"], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    stack.append(spy)
    config = tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False)
    # No decorations of ours: openbox's default theme and placement, focus follows clicks.
    config.write("<openbox_config xmlns='http://openbox.org/3.4/rc'/>\n")
    config.close()
    stack.append(config.name)
    wm = subprocess.Popen(["openbox", "--config-file", config.name], env=env,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    stack.append(wm)
    signal.alarm(READY_TIMEOUT)
    for line in spy.stdout:
        if line.startswith("_NET_CLIENT_LIST(WINDOW)"):
            break
    else:
        fail("openbox did not start")
    signal.alarm(0)
    spy.terminate()


def start_bus(env, stack):
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    stack.append(bus)
    signal.alarm(READY_TIMEOUT)
    address = bus.stdout.readline().strip()
    signal.alarm(0)
    if not address:
        fail("dbus-daemon did not start")
    env["DBUS_SESSION_BUS_ADDRESS"] = address
    # Qt talks to the accessibility bus only when asked to or when a screen reader runs.
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env["NO_AT_BRIDGE"] = "0"


def stop(stack):
    for item in reversed(stack):
        if isinstance(item, str):
            os.unlink(item)
            continue
        if item.poll() is None:
            item.terminate()
            try:
                item.wait(5)
            except subprocess.TimeoutExpired:
                item.kill()
                item.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--screen", default="1366x768")
    parser.add_argument("--wm", action="store_true")
    parser.add_argument("--a11y", action="store_true")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        fail("no command given")

    signal.signal(signal.SIGALRM, lambda *_: fail("a part of the desktop did not get ready"))
    stack = []
    try:
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["DISPLAY"] = start_x(args.screen, stack)
        if args.wm:
            start_wm(env, stack)
        if args.a11y:
            start_bus(env, stack)
        return subprocess.call(command, env=env)
    finally:
        stop(stack)


if __name__ == "__main__":
    sys.exit(main())
