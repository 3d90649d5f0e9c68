#!/usr/bin/python3
"""Prints the entries that a freedesktop.org menu shows, read as a desktop's menu reads them:
the applications folders of XDG_DATA_HOME and XDG_DATA_DIRS, filed by category into the
menu file given as the first argument. One line per entry: menu path, name, Exec value."""
import sys

import xdg.Menu


def walk(menu, path):
    for entry in menu.getEntries():
        if isinstance(entry, xdg.Menu.Menu):
            walk(entry, path + entry.getName() + "/")
        elif isinstance(entry, xdg.Menu.MenuEntry):
            desktop = entry.DesktopEntry
            print(path + desktop.getName() + "\t" + desktop.getExec())


walk(xdg.Menu.parse(sys.argv[1]), "")
