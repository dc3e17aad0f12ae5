#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# wm_state.py ID STATE: sets the window's WM_STATE as a window manager does (3 minimised,
# 1 normal). xprop cannot: it would not give the property the WM_STATE type the game reads.
import ctypes
import sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
if not display:
    sys.exit("wm_state.py: no X display")
atom = ctypes.c_ulong(x11.XInternAtom(display, b"WM_STATE", 0))
state = (ctypes.c_long * 2)(int(sys.argv[2]), 0)
window = ctypes.c_ulong(int(sys.argv[1]))
x11.XChangeProperty(display, window, atom, atom, 32, 0, state, 2)
x11.XCloseDisplay(display)
