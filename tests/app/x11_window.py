#!/usr/bin/python3
"""Finds a top-level window by its exact title in the running X server,
prints its client size, and closes it the way a window manager would."""
import sys
import time

from Xlib import X, display, protocol


def find(root, title):
    for child in root.query_tree().children:
        if child.get_wm_name() == title:
            return child
        found = find(child, title)
        if found:
            return found
    return None


def main():
    title, timeout = sys.argv[1], float(sys.argv[2])
    screen = display.Display()
    root = screen.screen().root
    deadline = time.monotonic() + timeout
    window = None
    # A close sent before the window is mapped may be lost, so wait for it
    # to be viewable as well as named.
    while window is None:
        window = find(root, title)
        if window is not None and window.get_attributes().map_state != X.IsViewable:
            window = None
        if window is None:
            if time.monotonic() > deadline:
                sys.exit(f"no window titled {title!r} within {timeout} s")
            time.sleep(0.2)
    geometry = window.get_geometry()
    print(f"{geometry.width}x{geometry.height}", flush=True)

    delete = screen.intern_atom("WM_DELETE_WINDOW")
    message = protocol.event.ClientMessage(
        window=window, client_type=screen.intern_atom("WM_PROTOCOLS"),
        data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message)
    screen.flush()


if __name__ == "__main__":
    main()
