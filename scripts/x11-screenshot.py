#!/usr/bin/env python3
"""Saves an X window (by id, default the root window) of the current DISPLAY
as a PNG: x11-screenshot.py OUT.png [WINDOW_ID]. Reads the pixels from the
screen, so what covers the window shows as well. No dependency beyond Xlib."""
import ctypes
import ctypes.util
import struct
import sys
import zlib


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("rest", ctypes.c_byte * 256)]


def main():
    out = sys.argv[1]
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                         ctypes.POINTER(XWindowAttributes)]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("x11-screenshot: no display")
    window = int(sys.argv[2], 0) if len(sys.argv) > 2 else x11.XDefaultRootWindow(display)
    attributes = XWindowAttributes()
    x11.XGetWindowAttributes(display, window, ctypes.byref(attributes))
    w, h = attributes.width, attributes.height
    all_planes = 0xFFFFFFFF
    z_pixmap = 2
    image = x11.XGetImage(display, window, 0, 0, w, h, all_planes, z_pixmap).contents
    if image.bits_per_pixel != 32:
        sys.exit("x11-screenshot: only 32-bit pixels are read")
    raw = ctypes.string_at(image.data, image.bytes_per_line * h)
    rows = bytearray()
    for y in range(h):
        line = raw[y * image.bytes_per_line: y * image.bytes_per_line + 4 * w]
        rows.append(0)
        for x in range(w):
            b, g, r = line[4 * x], line[4 * x + 1], line[4 * x + 2]
            rows += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b"")
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()
