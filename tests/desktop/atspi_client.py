#!/usr/bin/python3
"""The editor as a screen reader meets it on the desktop's accessibility bus (AT-SPI).

Finds the editor's window among the desktop's applications, walks its tree, focuses the
"Author:" field and reads the focused object's name and value, presses "Create" through its
action, sees the File page selected with the language file in its text view, and ends the
program with the "Exit Program" button's action.

Run with Debian's python3 (pyatspi is installed for it) on a session that has the editor
running with accessibility on.
"""
import sys
import time

import pyatspi

TITLE = "Verbolt Editor v1.0 | For Korvane System 4"


def fail(message):
    print("accessibility test: " + message)
    sys.exit(1)


def wait_for(what, probe, timeout=20.0):
    """The first true answer of probe within timeout seconds, or fail saying what was missing."""
    end = time.time() + timeout
    while True:
        answer = probe()
        if answer:
            return answer
        if time.time() > end:
            fail(what)
        time.sleep(0.2)


def fresh(obj):
    """obj with whatever the client library kept of it forgotten."""
    obj.clearCache()
    return obj


def walk(obj):
    """obj and everything under it, depth first, read afresh."""
    fresh(obj)
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def has(obj, state):
    return obj.getState().contains(state)


def the_window():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for i in range(app.childCount):
            frame = app.getChildAtIndex(i)
            if frame is not None and frame.getRole() == pyatspi.ROLE_FRAME and frame.name == TITLE:
                return frame
    return None


def find(root, role, name):
    for obj in walk(root):
        if obj.getRole() == role and obj.name == name:
            return obj
    return None


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def do_action(obj, name):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == name:
            return action.doAction(i)
    fail("%s \"%s\" offers no \"%s\" action (it offers %s)"
         % (obj.getRoleName(), obj.name, name, [action.getName(i) for i in range(action.nActions)]))
    return False


def main():
    window = wait_for("no application shows the window \"%s\" on the accessibility bus" % TITLE, the_window)
    everything = list(walk(window))
    roles = {obj.getRole() for obj in everything}
    if pyatspi.ROLE_IMAGE in roles:
        fail("a decorative picture is in the tree")
    if any(obj.name == "Verbolt Editor v1.0" and obj.getRole() == pyatspi.ROLE_LABEL and obj.parent == window
           for obj in everything):
        fail("the header title is in the tree")
    for role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_PAGE_TAB,
                 pyatspi.ROLE_TEXT, pyatspi.ROLE_STATUS_BAR, pyatspi.ROLE_LABEL):
        if role not in roles:
            fail("no %s in the tree" % pyatspi.Role(role))
    save = find(window, pyatspi.ROLE_PUSH_BUTTON, "Save File")
    if save is None or has(save, pyatspi.STATE_SENSITIVE):
        fail("Save File is not there, or not disabled before Create")

    # The first page's first field, focused as a tool moves the focus.
    author = find(window, pyatspi.ROLE_TEXT, "Author:")
    if author is None:
        fail("no text field named \"Author:\"")
    if not author.queryComponent().grabFocus():
        fail("the \"Author:\" field refused the focus")

    def focused():
        return next((o for o in walk(window) if has(o, pyatspi.STATE_FOCUSED)), None)

    field = wait_for("nothing has the focus after focusing \"Author:\"",
                     lambda: (lambda f: f if f is not None and f.name == "Author:" else None)(focused()))
    if field.getRole() != pyatspi.ROLE_TEXT or not has(field, pyatspi.STATE_EDITABLE):
        fail("the focused \"Author:\" is not an editable text")
    if text_of(field) != "Your Name":
        fail("the focused field's value is \"%s\", not \"Your Name\"" % text_of(field))
    print("focused: %s \"%s\" = \"%s\"" % (field.getRoleName(), field.name, text_of(field)))

    create = find(window, pyatspi.ROLE_PUSH_BUTTON, "Create")
    if create is None:
        fail("no push button named \"Create\"")
    do_action(create, "Press")

    tab = wait_for("the File page tab is not selected after Create",
                   lambda: (lambda t: t if t is not None and has(t, pyatspi.STATE_SELECTED) else None)(
                       find(window, pyatspi.ROLE_PAGE_TAB, "File")))
    others = [t for t in walk(window) if t.getRole() == pyatspi.ROLE_PAGE_TAB and t.name != "File"]
    if len(others) != 5 or any(has(t, pyatspi.STATE_SELECTED) for t in others):
        fail("the other five page tabs are not all there and unselected")
    views = [o for o in walk(tab) if o.getRole() == pyatspi.ROLE_TEXT and has(o, pyatspi.STATE_MULTI_LINE)]
    if len(views) != 1:
        fail("the File page holds no multi-line text view")
    view = views[0]
    if has(view, pyatspi.STATE_EDITABLE):
        fail("the text view is editable")
    shown = text_of(view)
    if not shown.startswith("<?php\n") or "$language_author = \"Your Name\";\n" not in shown:
        fail("the text view does not show the language file: %r" % shown[:80])
    if find(window, pyatspi.ROLE_PUSH_BUTTON, "ReCreate") is None:
        fail("the Create button is not called \"ReCreate\" after Create")
    if not has(fresh(save), pyatspi.STATE_SENSITIVE):
        fail("Save File is still disabled after Create")
    print("after Create: page tab \"%s\" selected, text view of %d lines" % (tab.name, shown.count("\n")))

    do_action(find(window, pyatspi.ROLE_PUSH_BUTTON, "Exit Program"), "Press")


if __name__ == "__main__":
    main()
