#!/usr/bin/python3
"""Reads a running Tarvex from outside through the accessibility bus (AT-SPI), as a screen reader
does, for the end-to-end tests of the Linux edition. It finds each control by its accessible name,
so a control without one fails the reading.

  atspi_reader.py                 one line per row of the list "Applications":
                                  <caption>\t<process id>\t<checked 0/1>\t<selected 0/1>
  atspi_reader.py --status        the status bar's panel texts, a line each
  atspi_reader.py --columns       "column\t<name>\t<x> <y> <width> <height>" for each header
  atspi_reader.py --row-rect N    "row\t<x> <y> <width> <height>" of row N's first cell (from 0)
  atspi_reader.py --toolbar       "button\t<name>\t<x> <y> <width> <height>" for each button of the
                                  tool bar "Commands"
  atspi_reader.py --controls T    the named controls of the dialog titled T (a drop-down list
                                  is named by its label):
                                  "<role>\t<name>\t<checked 0/1>\t<x> <y> <width> <height>"; for a
                                  list's entries "entry\t<text>", for a combo box "chosen\t<text>"

Screen positions are on the desktop. Exits 1 when what is asked for is not there.
"""
import sys

import pyatspi

MAIN_TITLE = "Tarvex 1.0"


class Missing(Exception):
    pass


def children(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield child


def descendants(node):
    for child in children(node):
        yield child
        yield from descendants(child)


def tarvex_windows():
    for application in children(pyatspi.Registry.getDesktop(0)):
        yield from children(application)


def window_titled(title, role):
    for window in tarvex_windows():
        if window.name == title and window.getRole() == role:
            return window
    raise Missing(f"no window titled '{title}'")


def named(node, role, name):
    for found in descendants(node):
        if found.getRole() == role and found.name == name:
            return found
    raise Missing(f"'{node.name}' has no control named '{name}'")


def the_list():
    return named(window_titled(MAIN_TITLE, pyatspi.ROLE_FRAME), pyatspi.ROLE_TREE, "Applications")


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return f"{box.x} {box.y} {box.width} {box.height}"


def has(node, state):
    return int(node.getState().contains(state))


def cells(table):
    return [cell for cell in children(table) if cell.getRole() == pyatspi.ROLE_TABLE_CELL]


def rows():
    table = the_list()
    columns = table.queryTable().nColumns
    found = cells(table)
    for start in range(0, len(found), columns):
        caption, pid = found[start], found[start + 1]
        print(f"{caption.name}\t{pid.name}\t{has(caption, pyatspi.STATE_CHECKED)}\t"
              f"{has(caption, pyatspi.STATE_SELECTED)}")


def status():
    main = window_titled(MAIN_TITLE, pyatspi.ROLE_FRAME)
    bar = next(node for node in descendants(main) if node.getRole() == pyatspi.ROLE_STATUS_BAR)
    for panel in children(bar):
        if panel.getRole() == pyatspi.ROLE_LABEL:
            print(panel.name)


def columns():
    for header in children(the_list()):
        if header.getRole() == pyatspi.ROLE_TABLE_COLUMN_HEADER:
            print(f"column\t{header.name}\t{extents(header)}")


def row_rect(row):
    table = the_list()
    print(f"row\t{extents(cells(table)[row * table.queryTable().nColumns])}")


def toolbar():
    main = window_titled(MAIN_TITLE, pyatspi.ROLE_FRAME)
    for button in children(named(main, pyatspi.ROLE_TOOL_BAR, "Commands")):
        if button.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            print(f"button\t{button.name}\t{extents(button)}")


def labelled_by(control):
    for relation in control.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def controls(title):
    dialog = window_titled(title, pyatspi.ROLE_DIALOG)
    for control in descendants(dialog):
        role = control.getRole()
        if role == pyatspi.ROLE_LIST_ITEM:
            if control.parent.name:  # not the items of a drop-down list's pop-up
                print(f"entry\t{control.name}")
            continue
        # A drop-down list is named by its label; its own name is the item chosen.
        name = labelled_by(control) if role == pyatspi.ROLE_COMBO_BOX else control.name
        if not name:
            continue
        print(f"{control.getRoleName()}\t{name}\t{has(control, pyatspi.STATE_CHECKED)}\t"
              f"{extents(control)}")
        if role == pyatspi.ROLE_COMBO_BOX:
            print(f"chosen\t{control.name}")


def main(arguments):
    try:
        if not arguments:
            rows()
        elif arguments == ["--status"]:
            status()
        elif arguments == ["--columns"]:
            columns()
        elif len(arguments) == 2 and arguments[0] == "--row-rect":
            row_rect(int(arguments[1]))
        elif arguments == ["--toolbar"]:
            toolbar()
        elif len(arguments) == 2 and arguments[0] == "--controls":
            controls(arguments[1])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (Missing, StopIteration, IndexError) as failure:
        print(f"atspi_reader: {failure or 'not found'}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
