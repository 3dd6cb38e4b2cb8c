#!/usr/bin/python3
# Converts a TrueColor XWD dump (xwd -root) into PNG, optionally cut to the top-left
# WIDTHxHEIGHT: xwd_to_png.py IN.xwd OUT.png [WIDTHxHEIGHT]
import struct
import sys

from PIL import Image

data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, width, height = h[0], h[4], h[5]
byte_order, bits_per_pixel, bytes_per_line, ncolors = h[7], h[11], h[12], h[19]
start = header_size + ncolors * 12
pixels = data[start:start + bytes_per_line * height]
if bits_per_pixel == 24:
    raw = 'BGR' if byte_order == 0 else 'RGB'
    image = Image.frombytes('RGB', (width, height), pixels, 'raw', raw, bytes_per_line)
else:
    raw = 'BGRX' if byte_order == 0 else 'XRGB'
    image = Image.frombytes('RGB', (width, height), pixels, 'raw', raw, bytes_per_line)
if len(sys.argv) > 3:
    w, h = (int(v) for v in sys.argv[3].split('x'))
    image = image.crop((0, 0, w, h))
image.save(sys.argv[2])
