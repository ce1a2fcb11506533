#!/usr/bin/python3
"""Waits for a mapped top-level window with the given title, prints its size
and asks it to close, as a window manager's close button does."""
import sys
import time

from Xlib import X, display, protocol

title, deadline = sys.argv[1], time.monotonic() + float(sys.argv[2])
screen = display.Display()
# With no window manager the program's window is a child of the root. A
# close sent before it is mapped may be lost.
while not (windows := [w for w in screen.screen().root.query_tree().children
                       if w.get_wm_name() == title and w.get_attributes().map_state == X.IsViewable]):
    if time.monotonic() > deadline:
        sys.exit(f"no window titled {title!r}")
    time.sleep(0.2)
window = windows[0]
geometry = window.get_geometry()
print(f"{geometry.width}x{geometry.height}", flush=True)
close = [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]
window.send_event(protocol.event.ClientMessage(
    window=window, client_type=screen.intern_atom("WM_PROTOCOLS"), data=(32, close)))
screen.flush()
