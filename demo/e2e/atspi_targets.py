#!/usr/bin/env python3
"""Finds the demo's on-screen controls through the accessibility tree (AT-SPI),
as a screen reader does, and prints their screen centres.

    atspi_targets.py (--pid PID | --app NAME) [--timeout S] TARGET...
    atspi_targets.py (--pid PID | --app NAME) --dialog-text TITLE
    atspi_targets.py (--pid PID | --app NAME) --state-line NAME

Targets (each printed as "Target <target> <x> <y>"):
    header-check           the header's check box
    filter, reset          the header's Filter and Reset buttons
    header:<label>         the column header with that label
    rows:<N>[:<label>]     the first N shown rows' cells in the column with that
                           label (Type by default), printed as row0 ... row<N-1>
    tool:<name>            the tool bar button with that name
    popup-all              the port popup's "All" button (the popup must be open)
    popup-port<N>          the port popup's button for port N
    state:<name>           the state list's line for that state ("<name> (<count>)")
    text:<name>            the editable field with that name (the filter box)
    map-cell:<port>:<pos>  the wall map's cell of that port and position (from 1)

It waits up to --timeout seconds (times CMVIEW_TEST_TIME_FACTOR) for every
target to be on screen, and exits 1 naming the first one it did not find. Also
a module: the test of the accessibility tree uses the functions below.
"""

import argparse
import os
import sys
import time

import pyatspi
from gi.repository import Atspi

BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
                pyatspi.ROLE_RADIO_BUTTON)
TABLE_ROLES = (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE)
HEADER_ROLES = (pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_COLUMN_HEADER)
LIST_ITEM_ROLES = (pyatspi.ROLE_LIST_ITEM,)
TEXT_ROLES = (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)


class NotFound(Exception):
    pass


def time_factor():
    try:
        return max(1.0, float(os.environ.get("CMVIEW_TEST_TIME_FACTOR", "1")))
    except ValueError:
        return 1.0


def find_app(pid=None, name=None):
    """The application's root accessible, by process id or by name."""
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if (pid is not None and app.get_process_id() == pid) or (name is not None and app.name == name):
                # States and children change without the events a cache follows.
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        except Exception:
            continue
    raise NotFound(f"no application with {'pid ' + str(pid) if pid is not None else 'name ' + repr(name)}")


def walk(acc, depth=0):
    """Every accessible under acc, a table's cells left out (a wall has thousands)."""
    if acc is None or depth > 40:
        return
    yield acc
    if acc.getRole() in TABLE_ROLES:
        return
    for i in range(acc.childCount):
        yield from walk(acc.getChildAtIndex(i), depth + 1)


def find(root, roles, name=None, within=None):
    """The first accessible of one of the roles (and that name) under root."""
    for acc in walk(root):
        if acc.getRole() in roles and (name is None or acc.name == name):
            if within is None or within(acc):
                return acc
    raise NotFound(f"no {' or '.join(str(pyatspi.Role(r)) for r in roles)} named {name!r}")


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def centre(acc):
    x, y, w, h = extents(acc)
    if w <= 0 or h <= 0:
        raise NotFound(f"{acc.name!r} has no place on the screen")
    return x + w // 2, y + h // 2


def states(acc):
    return acc.getState()


def has_state(acc, state):
    return acc.getState().contains(state)


def do_action(acc, action):
    """Runs the named action (Press, Toggle) of acc."""
    actions = acc.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    for i, found in enumerate(names):
        if found.lower() == action.lower():
            return actions.doAction(i)
    raise NotFound(f"{acc.name!r} offers no {action} action (it offers {names})")


def beside_table(acc):
    """True for an accessible whose parent also holds the table."""
    parent = acc.parent
    return parent is not None and any(
        parent.getChildAtIndex(i) is not None and parent.getChildAtIndex(i).getRole() in TABLE_ROLES
        for i in range(parent.childCount))


def header_bar(app):
    """The header's tool bar, beside the table: its check box, Filter and Reset buttons."""
    return find(app, (pyatspi.ROLE_TOOL_BAR,), within=beside_table)


def header_control(app, which):
    bar = header_bar(app)
    order = {"header-check": 0, "filter": 1, "reset": 2}[which]
    control = bar.getChildAtIndex(order)
    if control is None:
        raise NotFound(f"the header bar has no {which}")
    return control


def is_receiver_table(acc):
    """The receiver table has column headers; the wall map, also a table, has none."""
    return acc.childCount > 0 and acc.getChildAtIndex(0) is not None \
        and acc.getChildAtIndex(0).getRole() in HEADER_ROLES


def table(app):
    return find(app, TABLE_ROLES, within=is_receiver_table)


def wall_map(app):
    """The wall map: a table of ports (rows) by positions (columns) without headers."""
    return find(app, (pyatspi.ROLE_TABLE,), within=lambda acc: not is_receiver_table(acc))


def map_cell(app, port, position):
    """The map's cell of the port and position, both counted from 1 as shown."""
    cells = wall_map(app).queryTable()
    for line in range(cells.nRows):
        if cells.getRowDescription(line).split()[-1] == str(port):
            cell = cells.getAccessibleAt(line, position - 1)
            if cell is not None:
                return cell
    raise NotFound(f"the wall map has no cell for port {port} position {position}")


def column_headers(app):
    """The column headers' names, in model order."""
    tab = table(app)
    columns = tab.queryTable().nColumns
    heads = [tab.getChildAtIndex(c) for c in range(columns)]
    return [h.name if h is not None and h.getRole() in HEADER_ROLES else None for h in heads]


def column_header(app, label):
    tab = table(app)
    for c in range(tab.queryTable().nColumns):
        head = tab.getChildAtIndex(c)
        if head is not None and head.getRole() in HEADER_ROLES and head.name == label:
            return c, head
    raise NotFound(f"no column header {label!r}")


def row_cells(app, count, label="Type"):
    """The first count shown rows' cells in the column with that label."""
    column, _ = column_header(app, label)
    cells = table(app).queryTable()
    rows = min(count, cells.nRows)
    return [cells.getAccessibleAt(r, column) for r in range(rows)]


def popup(app):
    return find(app, (pyatspi.ROLE_POPUP_MENU,), within=lambda p: has_state(p, pyatspi.STATE_SHOWING))


def tool_button(app, name):
    """The button with that name on one of the host's tool bars (not the header's)."""
    for acc in walk(app):
        if acc.getRole() == pyatspi.ROLE_TOOL_BAR and not beside_table(acc):
            try:
                return find(acc, BUTTON_ROLES, name)
            except NotFound:
                continue
    raise NotFound(f"no tool bar button named {name!r}")


def state_line(app, name):
    """The state list's line for the state: its name is "<name> (<count>)"."""
    return find(app, LIST_ITEM_ROLES, within=lambda acc: acc.name.startswith(name + " ("))


def locate(app, target, labels_for_popup=("All", "Port ")):
    """[(name, (x, y))] for one target."""
    if target in ("header-check", "filter", "reset"):
        return [(target, centre(header_control(app, target)))]
    if target.startswith("header:"):
        return [(target, centre(column_header(app, target[len("header:"):])[1]))]
    if target.startswith("rows:"):
        parts = target.split(":")
        count = int(parts[1])
        cells = row_cells(app, count, parts[2] if len(parts) > 2 else "Type")
        if len(cells) < count:
            raise NotFound(f"only {len(cells)} rows are shown")
        return [(f"row{r}", centre(cell)) for r, cell in enumerate(cells)]
    if target.startswith("tool:"):
        return [(target, centre(tool_button(app, target[len("tool:"):])))]
    if target.startswith("state:"):
        return [(target, centre(state_line(app, target[len("state:"):])))]
    if target.startswith("text:"):
        return [(target, centre(find(app, TEXT_ROLES, target[len("text:"):])))]
    if target.startswith("map-cell:"):
        _, port, position = target.split(":")
        return [(target, centre(map_cell(app, int(port), int(position))))]
    if target == "popup-all":
        return [(target, centre(find(popup(app), BUTTON_ROLES, labels_for_popup[0])))]
    if target.startswith("popup-port"):
        name = labels_for_popup[1] + target[len("popup-port"):]
        return [(target, centre(find(popup(app), BUTTON_ROLES, name)))]
    raise NotFound(f"unknown target {target!r}")


def wait_locate(pid, name, targets, timeout, labels_for_popup=("All", "Port ")):
    """Every target's centres, waiting for them to appear; NotFound at the limit."""
    deadline = time.monotonic() + timeout * time_factor()
    while True:
        try:
            app = find_app(pid, name)
            found = []
            for target in targets:
                found += locate(app, target, labels_for_popup)
            return found
        except (NotFound, Exception) as problem:  # the tree may change while walked
            if time.monotonic() > deadline:
                raise NotFound(f"{problem} (after {timeout * time_factor():.0f}s)") from None
            time.sleep(0.2)


def dialog_text(app, title):
    """The text in the focused editable field of the dialog with that title."""
    dialog = find(app, (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER), title)
    field = find(dialog, (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY), within=lambda acc: has_state(acc, pyatspi.STATE_FOCUSED))
    text = field.queryText()
    return text.getText(0, text.characterCount)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    who = parser.add_mutually_exclusive_group(required=True)
    who.add_argument("--pid", type=int, help="the demo's process id")
    who.add_argument("--app", help="the application's accessible name")
    parser.add_argument("--timeout", type=float, default=10, help="seconds to wait (scaled by CMVIEW_TEST_TIME_FACTOR)")
    parser.add_argument("--popup-labels", nargs=2, default=("All", "Port "), metavar=("ALL", "PORT_PREFIX"),
                        help="the popup's button texts in the demo's language")
    parser.add_argument("--dialog-text", metavar="TITLE",
                        help="print the text of the focused field of this dialog instead of targets")
    parser.add_argument("--state-line", metavar="NAME",
                        help="print the whole name of the state list's line for this state instead of targets")
    parser.add_argument("targets", nargs="*")
    args = parser.parse_args()
    try:
        if args.dialog_text:
            print(dialog_text(find_app(args.pid, args.app), args.dialog_text))
            return 0
        if args.state_line:
            print(state_line(find_app(args.pid, args.app), args.state_line).name)
            return 0
        for name, (x, y) in wait_locate(args.pid, args.app, args.targets, args.timeout, tuple(args.popup_labels)):
            print(f"Target {name} {x} {y}")
    except NotFound as problem:
        print(f"atspi_targets: {problem}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
