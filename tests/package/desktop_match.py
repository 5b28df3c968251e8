#!/usr/bin/python3
"""Desktops match a program's windows to its launcher by the desktop entry's file name (the
Wayland app id, which Qt takes from the desktop file name) and by its StartupWMClass (the X11
class of the windows). Starts the unpacked package's program on the X server in DISPLAY, with
the start probe loaded, and compares both with the packaged entry.

Under Wayland (WAYLAND_DISPLAY set) there is no window class: the program starts, its help
opens, and every app id it sends the compositor (read from the Wayland protocol as the
program sends it) must be the entry's file name.

    desktop_match.py <package.deb> <start probe library>

Run it inside tests/support/desktop_session.py (with --wayland for the Wayland check).
"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def entry_of(root):
    entries = list((root / "usr/share/applications").glob("*.desktop"))
    if len(entries) != 1:
        fail("the package has %d desktop entries" % len(entries))
    keys = dict(line.split("=", 1) for line in entries[0].read_text(encoding="utf-8").splitlines()
                if "=" in line and not line.startswith("#"))
    return entries[0].name, keys


def shown(program, probe):
    """The probe's line for the shown main window: (desktop file name, window id)."""
    env = dict(os.environ, LD_PRELOAD=probe, LUMAKVEX_PROBE_HOLD="1")
    env.pop("LUMAKVEX_PROBE_REPORT", None)  # the report comes through standard error
    process = subprocess.Popen([program], env=env, stderr=subprocess.PIPE, text=True)
    try:
        for line in process.stderr:  # the probe gives up on its own if nothing is shown
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "shown":
                return process, fields[1], int(fields[2])
        fail("the main window was never shown")
    except BaseException:
        process.kill()
        raise


def wayland_start(program, probe, folder):
    """Starts the program with its help, to the end; returns the probe's report lines and the
    app ids the program sent."""
    report = os.path.join(folder, "probe.txt")
    protocol = os.path.join(folder, "wayland.txt")
    env = dict(os.environ, LD_PRELOAD=probe, LUMAKVEX_PROBE_REPORT=report, LUMAKVEX_PROBE_HELP="1",
               WAYLAND_DEBUG="client")
    with open(protocol, "w") as log:
        # The probe ends the program once the help shows, or gives up by itself.
        code = subprocess.call([program], env=env, stderr=log)
    if not os.path.exists(report):
        fail("the program ended with status %d before the probe reported anything" % code)
    with open(report, encoding="utf-8") as f:
        lines = [line.rstrip("\n").split("\t") for line in f]
    with open(protocol, encoding="utf-8", errors="replace") as f:
        app_ids = set(re.findall(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', f.read()))
    if code != 0:
        fail("the program ended with status %d" % code)
    return lines, app_ids


def wayland_main(deb, probe):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder) / "root"
        subprocess.run(["dpkg-deb", "-x", deb, str(root)], check=True)
        entry_name, _ = entry_of(root)
        lines, app_ids = wayland_start(str(root / "usr/bin/lumakvex"), probe, folder)
    errors = ["a box came up: " + " ".join(line[1:]) for line in lines if line[0] == "box"]
    shown_names = [line[1] for line in lines if line[0] == "shown"]
    if not shown_names:
        errors.append("the main window was never shown")
    if not any(line[0] == "window" for line in lines):
        errors.append("the help did not open")
    if lines[-1:] != [["done"]]:
        errors.append("the start ended with %r" % (lines[-1:],))
    expected = entry_name[:-len(".desktop")]
    if app_ids != {expected}:
        errors.append("app ids %s, entry %r" % (sorted(app_ids), entry_name))
    if errors:
        fail("; ".join(errors))
    print("main window and help shown under Wayland; app id %s matches the entry" % expected)


def main():
    deb, probe = sys.argv[1:3]
    if os.environ.get("WAYLAND_DISPLAY"):
        wayland_main(deb, probe)
        return
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        subprocess.run(["dpkg-deb", "-x", deb, folder], check=True)
        entry_name, keys = entry_of(root)
        process, desktop_file_name, window = shown(str(root / "usr/bin/lumakvex"), probe)
        try:
            wm_class = subprocess.run(["xprop", "-id", str(window), "WM_CLASS"], check=True,
                                      capture_output=True, text=True).stdout
        finally:
            process.kill()
            process.wait()
    # WM_CLASS(STRING) = "instance", "class"
    found = re.findall(r'"([^"]*)"', wm_class)
    if len(found) != 2:
        fail("no WM_CLASS on the main window: " + wm_class)
    errors = []
    if found[1] != keys.get("StartupWMClass"):
        errors.append("window class %r, entry's StartupWMClass %r" % (found[1], keys.get("StartupWMClass")))
    if desktop_file_name + ".desktop" != entry_name:
        errors.append("desktop file name %r, entry %r" % (desktop_file_name, entry_name))
    if errors:
        fail("; ".join(errors))
    print("window class %s and desktop file name %s match the entry" % (found[1], desktop_file_name))


if __name__ == "__main__":
    main()
