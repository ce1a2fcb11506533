#!/usr/bin/python3
"""Waits for a mapped top-level window with the given title and prints its
size; with "close" it then asks the window to close, as a window manager's
close button does."""
import sys
import time

from Xlib import X, display, error, protocol

title, deadline = sys.argv[1], time.monotonic() + float(sys.argv[2])
screen = display.Display()


def is_shown(window):
    try:
        return window.get_wm_name() == title and window.get_attributes().map_state == X.IsViewable
    except error.XError:  # a window that went between the listing and the question
        return False


# With no window manager the program's window is a child of the root. A
# close sent before it is mapped may be lost.
while not (windows := [w for w in screen.screen().root.query_tree().children if is_shown(w)]):
    if time.monotonic() > deadline:
        sys.exit(f"no window titled {title!r}")
    time.sleep(0.2)
window = windows[0]
geometry = window.get_geometry()
print(f"{geometry.width}x{geometry.height}", flush=True)
if sys.argv[3:] != ["close"]:
    sys.exit()
close = [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]
window.send_event(protocol.event.ClientMessage(
    window=window, client_type=screen.intern_atom("WM_PROTOCOLS"), data=(32, close)))
screen.flush()
