#!/usr/bin/env python3
"""close_window.py TITLE SECONDS: waits up to SECONDS for a window titled TITLE
on $DISPLAY and asks it to close with WM_DELETE_WINDOW, as a window manager's
close button would, so the program runs its own closing steps. Needs only
libX11, no window manager."""
import ctypes
import ctypes.util
import sys
import time

x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
ulong, voidp = ctypes.c_ulong, ctypes.c_void_p
x.XOpenDisplay.restype = voidp
x.XDefaultRootWindow.restype = ulong
x.XDefaultRootWindow.argtypes = [voidp]
x.XInternAtom.restype = ulong
x.XInternAtom.argtypes = [voidp, ctypes.c_char_p, ctypes.c_int]
x.XQueryTree.argtypes = [voidp, ulong, ctypes.POINTER(ulong), ctypes.POINTER(ulong),
                         ctypes.POINTER(ctypes.POINTER(ulong)), ctypes.POINTER(ctypes.c_uint)]
x.XFetchName.argtypes = [voidp, ulong, ctypes.POINTER(ctypes.c_char_p)]
x.XFree.argtypes = [voidp]
x.XGetGeometry.argtypes = [voidp, ulong, ctypes.POINTER(ulong), ctypes.POINTER(ctypes.c_int),
                           ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_uint),
                           ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint),
                           ctypes.POINTER(ctypes.c_uint)]
x.XSendEvent.argtypes = [voidp, ulong, ctypes.c_int, ctypes.c_long, voidp]
x.XFlush.argtypes = [voidp]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ulong), ("send_event", ctypes.c_int),
                ("display", voidp), ("window", ulong), ("message_type", ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def is_real_window(display, window):
    """Qt also gives its hidden 1 x 1 leader window the title; skip it."""
    root, x0, y0 = ulong(), ctypes.c_int(), ctypes.c_int()
    width, height, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    if not x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(x0), ctypes.byref(y0),
                          ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                          ctypes.byref(depth)):
        return False
    return width.value > 1 and height.value > 1


def find(display, window, title):
    name = ctypes.c_char_p()
    if x.XFetchName(display, window, ctypes.byref(name)) and name.value is not None:
        found = name.value.decode("utf-8", "replace") == title
        x.XFree(name)
        if found and is_real_window(display, window):
            return window
    root, parent, children, count = ulong(), ulong(), ctypes.POINTER(ulong)(), ctypes.c_uint()
    if not x.XQueryTree(display, window, root, parent, ctypes.byref(children), count):
        return None
    kids = [children[i] for i in range(count.value)]
    if kids:
        x.XFree(children)
    return next((w for w in (find(display, kid, title) for kid in kids) if w), None)


def main():
    title, deadline = sys.argv[1], time.monotonic() + float(sys.argv[2])
    display = x.XOpenDisplay(None)
    window = None
    while display and window is None and time.monotonic() < deadline:
        window = find(display, x.XDefaultRootWindow(display), title)
        time.sleep(0.2)
    if window is None:
        print("close_window: no window titled %r" % title, file=sys.stderr)
        return 1
    time.sleep(1.0)  # let the program finish showing it
    event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                          message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XFlush(display)
    return 0


if __name__ == "__main__":
    sys.exit(main())
