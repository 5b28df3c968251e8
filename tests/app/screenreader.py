#!/usr/bin/python3
"""Reads the running program the way a screen reader does, through the desktop's
accessibility bus, and checks what a blind user would hear.

    screenreader.py PROGRAM UI_DIR

Run it inside tests/support/desktop_session.py --a11y. It starts PROGRAM itself, opens the
calculator window through the main menu, reads both tabs and ends the program. Every wait
polls for a condition under a deadline; on a failure it prints the tree it read.
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

import pyatspi

# The shared helpers beside the desktop session, read without leaving compiled files in the tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from accessibility_bus import DEADLINE, Failure, children, wait_for  # noqa: E402

CALCULATOR = "Version 3.0  Parallelschaltung von Widerständen"

# Roles that are only containers or parts of other controls: they need no name of their own.
UNNAMED_ROLES = {
    pyatspi.ROLE_APPLICATION, pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL,
    pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_MENU_BAR,
    pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_ROW_HEADER,
    pyatspi.ROLE_SEPARATOR,
}


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def walk(obj, skip_tables=True):
    """All objects below obj; the cells of tables are read through the table itself."""
    for child in children(obj):
        if child is None:
            continue
        yield child
        if not (skip_tables and child.getRole() == pyatspi.ROLE_TABLE):
            yield from walk(child, skip_tables)


def describe(obj, depth=0):
    lines = []
    for child in children(obj):
        if child is None:
            continue
        state = "" if showing(child) else " (hidden)"
        lines.append("%s%s %r %r%s" % ("  " * depth, child.getRoleName(), child.name,
                                        child.description, state))
        if child.getRole() != pyatspi.ROLE_TABLE:
            lines.extend(describe(child, depth + 1))
    return lines


def find(root, role, name=None):
    for obj in walk(root):
        if obj.getRole() == role and (name is None or obj.name == name):
            return obj
    return None


def internal_names(ui_dir):
    names = set()
    for file in os.listdir(ui_dir):
        if file.endswith(".ui"):
            for element in ET.parse(os.path.join(ui_dir, file)).iter():
                if element.tag in ("widget", "action") and element.get("name"):
                    names.add(element.get("name"))
    return names


def press(obj):
    """Menu items and tabs offer their click as their first action."""
    obj.queryAction().doAction(0)


# ---------------------------------------------------------------- what is checked


def check_named(window, _context):
    """Every shown control says what it is; decorative pictures are marked as decoration."""
    problems = []
    for obj in walk(window):
        if not showing(obj) or obj.getRole() in UNNAMED_ROLES:
            continue
        if obj.getRole() == pyatspi.ROLE_LABEL and not obj.name:
            continue  # an empty text reads nothing
        if obj.getRole() == pyatspi.ROLE_IMAGE and obj.description == "Verzierung":
            continue
        if not obj.name.strip():
            problems.append("%s without a name" % obj.getRoleName())
    return problems


def check_no_internal_names(window, context):
    """No object's name or description is a designer name of a control."""
    return ["%s named %r" % (obj.getRoleName(), text)
            for obj in walk(window, skip_tables=False)
            for text in (obj.name, obj.description) if text in context["internal"]]


def table_cell(table, row_header, column_header):
    t = table.queryTable()
    rows = [r for r in range(t.nRows) if t.getRowHeader(r) and t.getRowHeader(r).name == row_header]
    cols = [c for c in range(t.nColumns)
            if t.getColumnHeader(c) and t.getColumnHeader(c).name == column_header]
    if not rows or not cols:
        raise Failure("no row %r or column %r in the table" % (row_header, column_header))
    return t.getAccessibleAt(rows[0], cols[0])


def matrix(window):
    return find(window, pyatspi.ROLE_TABLE, "Matrix der Parallelwiderstände")


def check_matrix_cell(window, _context):
    """The matrix is a table: the pair 220 and 270 reads its parallel value."""
    cell = table_cell(matrix(window), "220", "270")
    return [] if cell.name == "121,2" else ["cell 220/270 reads %r" % cell.name]


def search(window, wanted):
    """Types the wanted value into its field as a user does: every key release searches."""
    field = find(window, pyatspi.ROLE_TEXT, "gesuchter Widerstand")
    field.queryComponent().grabFocus()
    wait_for("the focus in the wanted value", lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    field.queryEditableText().setTextContents("")
    for key in wanted:
        pyatspi.Registry.generateKeyboardEvent(ord(key), None, pyatspi.KEY_SYM)


def check_cell_classes(window, _context):
    """After a search each cell in the band tells its class and deviation; others nothing."""
    expected = {
        "73": {("82", "560"): "im Bereich, kleiner als gesucht, Abweichung -2,1 %",
                 ("150", "150"): "im Bereich, größer als gesucht, Abweichung 2,7 %",
                 ("100", "270"): "im Bereich, gleich dem gesuchten Wert, Abweichung 0,0 %",
                 ("220", "270"): ""},
        "150": {("220", "470"): "im Bereich, kleiner als gesucht, Abweichung -0,1 %",
                  ("180", "1000"): "im Bereich, größer als gesucht, Abweichung 1,7 %",
                  ("82", "560"): ""},
    }
    problems = []
    for wanted, cells in expected.items():
        search(window, wanted)
        for (row, col), text in cells.items():
            cell = table_cell(matrix(window), row, col)
            try:
                wait_for("the class of %s/%s" % (row, col), lambda: cell.description == text)
            except Failure:
                problems.append("wanted %s: cell %s/%s (%s) says %r"
                                % (wanted, row, col, cell.name, cell.description))
    return problems


def check_counts(window, _context):
    """The count boxes read with their captions."""
    names = {obj.name for obj in walk(window) if obj.getRole() == pyatspi.ROLE_LABEL}
    wanted = [n for n in ("kleiner: ", "gleich: ", "größer: ", "gesamt: ")
              if not any(name.startswith(n) and name.endswith(" x") for name in names)]
    return ["no count box read as %r" % n for n in wanted]


def check_unit_by_action(window, _context):
    """A radio button's own action runs the search, as a click does: the unit word follows."""
    problems = []
    for button, unit in (("  kOhm", "kOhm   mit"), ("  Ohm", "Ohm   mit")):
        press(find(window, pyatspi.ROLE_RADIO_BUTTON, button))
        try:
            wait_for("the unit after %r" % button, lambda: find(window, pyatspi.ROLE_LABEL, unit))
        except Failure as failure:
            problems.append(str(failure))
    return problems


def check_reference_table(window, _context):
    """The reference table shows its series as column headers."""
    table = find(window, pyatspi.ROLE_TABLE, "E-Reihen")
    if table is None:
        return ["no table 'E-Reihen'"]
    t = table.queryTable()
    headers = [t.getColumnHeader(c).name for c in range(t.nColumns)]
    problems = [] if headers == ["E 6", "E 12", "E 24"] else ["series headers %r" % headers]
    if t.getAccessibleAt(0, 0).name != "10":
        problems.append("first value %r" % t.getAccessibleAt(0, 0).name)
    return problems


def check_entry_field(window, _context):
    """The list's entry field is named after the position it fills."""
    fields = [o.name for o in walk(window) if o.getRole() == pyatspi.ROLE_TEXT and showing(o)]
    return [] if "1. Widerstand" in fields else ["entry fields named %r" % fields]


PAIR_FINDER = [check_named, check_no_internal_names, check_matrix_cell, check_cell_classes,
               check_counts, check_unit_by_action]
LIST_TAB = [check_named, check_no_internal_names, check_reference_table, check_entry_field]


def run(checks, window, context, where):
    failures = []
    for check in checks:
        try:
            failures += ["%s, %s: %s" % (where, check.__name__, p) for p in check(window, context)]
        except Failure as failure:
            failures.append("%s, %s: %s" % (where, check.__name__, failure))
    return failures


def main():
    program, ui_dir = sys.argv[1], sys.argv[2]
    context = {"internal": internal_names(ui_dir)}
    process = subprocess.Popen([program])
    window = None
    read = []
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in children(desktop) if a and a.get_process_id() == process.pid), None))
        main_window = wait_for("the main window", lambda: next(
            (w for w in children(app) if w.getRole() == pyatspi.ROLE_FRAME and showing(w)), None))
        press(wait_for("the menu item", lambda: find(main_window, pyatspi.ROLE_MENU_ITEM, "Rges gegeben")))
        window = wait_for("the calculator window", lambda: next(
            (w for w in children(app) if w.name == CALCULATOR and showing(w)), None))
        wait_for("the matrix", lambda: matrix(window))

        failures = run(PAIR_FINDER, window, context, "pair finder")
        press(find(window, pyatspi.ROLE_PAGE_TAB, "   Rges gesucht   "))
        wait_for("the list tab", lambda: find(window, pyatspi.ROLE_TABLE, "E-Reihen") and
                 showing(find(window, pyatspi.ROLE_TABLE, "E-Reihen")))
        failures += run(LIST_TAB, window, context, "list tab")
        if failures or os.environ.get("SCREENREADER_DUMP"):
            read = describe(window)
    except Failure as failure:
        failures = [str(failure)]
    finally:
        process.terminate()
        process.wait(DEADLINE)

    print("\n".join(failures + (["---- what the screen reader read:"] + read if read else [])))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
