#!/usr/bin/python3
"""Runs one command inside a desktop of its own: a virtual X server, optionally a real window
manager and a private session bus with the accessibility bus, and takes all of it down again.

    desktop_session.py [--screen 1366x768] [--wm] [--a11y] -- command [args...]
    desktop_session.py --wayland [--screen 1366x768] [--scale 2] [--a11y] -- command [args...]

The command sees DISPLAY (and DBUS_SESSION_BUS_ADDRESS with --a11y); its exit status is the
session's. Every step waits for the thing it starts to say it is ready (the X server writes
its display number, the window manager publishes its client list on the root window, the bus
prints its address), so nothing depends on how fast the machine is.

With --wayland the desktop is the Wayland compositor weston, in a window of the virtual X
server (its X11 backend: unlike its headless one, it gives the desktop a keyboard and a
pointer, without which Qt's Wayland plugin fails when a program is typed into). The screen
is weston's output in device pixels, --scale its scale factor (--screen 1920x1080 --scale 2
gives programs a screen of 960 x 540 pixels). The command sees WAYLAND_DISPLAY and a private
XDG_RUNTIME_DIR instead of DISPLAY; weston says it is ready through the notification socket
that service managers use.
"""
import argparse
import os
import shutil
import signal
import socket
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


def start_weston(screen, scale, env, stack):
    runtime = tempfile.mkdtemp(prefix="desktop-session-")  # mode 0700, as Wayland wants
    stack.append(runtime)
    ready_path = os.path.join(runtime, "ready")
    ready = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    ready.bind(ready_path)
    ready.settimeout(READY_TIMEOUT)
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w") as f:
        # No panel: the whole output is the desktop's. Never blank the screen.
        f.write("[core]\nidle-time=0\n[shell]\npanel-position=none\n")
    # The screen is in device pixels, as a monitor's; weston takes its output's size in pixels
    # of the scale.
    width, height = (int(n) // scale for n in screen.split("x"))
    log = os.path.join(runtime, "weston.log")
    weston_env = dict(env, XDG_RUNTIME_DIR=runtime, NOTIFY_SOCKET=ready_path)
    weston = subprocess.Popen(
        ["weston", "--backend=x11-backend.so", "--use-pixman", "--width=%d" % width,
         "--height=%d" % height, "--scale=%d" % scale, "--socket=wayland-0", "--config=" + config,
         "--log=" + log, "--modules=systemd-notify.so"],
        env=weston_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    stack.append(weston)
    try:
        message = ready.recv(4096)
    except socket.timeout:
        message = b""
    finally:
        ready.close()
    if b"READY=1" not in message:
        with open(log, errors="replace") as f:
            sys.stderr.write(f.read()[-3000:])
        fail("weston did not start")
    env["XDG_RUNTIME_DIR"] = runtime
    env["WAYLAND_DISPLAY"] = "wayland-0"
    env["QT_QPA_PLATFORM"] = "wayland"
    # Nothing in the session may fall back to the X server behind weston.
    env.pop("DISPLAY", None)


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
            if os.path.isdir(item):
                shutil.rmtree(item, ignore_errors=True)
            else:
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
    parser.add_argument("--wayland", action="store_true")
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        fail("no command given")
    if args.wayland and args.wm:
        fail("--wm is an X11 window manager; under --wayland weston manages the windows")
    if args.scale != 1 and not args.wayland:
        fail("--scale is weston's output scale; it needs --wayland")

    signal.signal(signal.SIGALRM, lambda *_: fail("a part of the desktop did not get ready"))
    stack = []
    try:
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["DISPLAY"] = start_x(args.screen, stack)
        if args.wm:
            start_wm(env, stack)
        if args.wayland:
            start_weston(args.screen, args.scale, env, stack)
        if args.a11y:
            start_bus(env, stack)
        return subprocess.call(command, env=env)
    finally:
        stop(stack)


if __name__ == "__main__":
    sys.exit(main())
