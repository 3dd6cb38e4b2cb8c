#!/usr/bin/python3
# Converts a 24/32-bit TrueColor XWD dump (xwd -root) into PNG.
import struct, sys
from PIL import Image
data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, version, fmt, depth, width, height = h[0], h[1], h[2], h[3], h[4], h[5]
byte_order, bpp, bpl, ncolors = h[7], h[11], h[12], h[19]
off = header_size + ncolors * 12
img = Image.frombuffer('RGBX', (width, height), data[off:off + bpl * height], 'raw', 'BGRX' if byte_order == 0 else 'XRGB', bpl, 1)
crop = tuple(int(v) for v in sys.argv[3].split(',')) if len(sys.argv) > 3 else None
img = img.convert('RGB')
if crop: img = img.crop(crop)
img.save(sys.argv[2])
