#!/usr/bin/env python3
"""Asks the window titled TITLE on $DISPLAY to close, as a window manager's
close button does: a WM_DELETE_WINDOW message, which the program answers with
its own closing steps. Needs no window manager and no packages beyond libX11.

Usage: close_window.py TITLE TIMEOUT_SECONDS
Exit status 0 when the request was sent, 1 when no such window appeared."""

import ctypes
import ctypes.util
import sys
import time

xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
Window = ctypes.c_ulong
Atom = ctypes.c_ulong

xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = Window
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XInternAtom.restype = Atom
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
xlib.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                            ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
xlib.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("message_type", Atom),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    # XEvent is a union padded to 24 longs.
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]


def windows(display, window):
    yield window
    root, parent = Window(), Window()
    children = ctypes.POINTER(Window)()
    count = ctypes.c_uint()
    if not xlib.XQueryTree(display, window, ctypes.byref(root), ctypes.byref(parent),
                           ctypes.byref(children), ctypes.byref(count)):
        return
    found = [children[i] for i in range(count.value)]
    if children:
        xlib.XFree(children)
    for child in found:
        yield from windows(display, child)


def find(display, title):
    for window in windows(display, xlib.XDefaultRootWindow(display)):
        name = ctypes.c_char_p()
        if xlib.XFetchName(display, window, ctypes.byref(name)) and name.value is not None:
            matches = name.value.decode("utf-8", "replace") == title
            xlib.XFree(name)
            if matches:
                return window
    return None


def main():
    title, timeout = sys.argv[1], float(sys.argv[2])
    display = xlib.XOpenDisplay(None)
    if not display:
        print("close_window: no display", file=sys.stderr)
        return 1
    deadline = time.monotonic() + timeout
    window = find(display, title)
    while window is None and time.monotonic() < deadline:
        time.sleep(0.2)
        window = find(display, title)
    if window is None:
        print("close_window: no window titled %r" % title, file=sys.stderr)
        return 1
    # Give the program a moment to finish showing its window.
    time.sleep(1.0)
    event = Event()
    event.client.type = 33  # ClientMessage
    event.client.window = window
    event.client.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.client.format = 32
    event.client.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.client.data[1] = 0  # CurrentTime
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main())
