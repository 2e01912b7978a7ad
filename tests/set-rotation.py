#!/usr/bin/env python3
"""Writes a display rotation into the video track header (tkhd) of an MP4/MOV, as phones do
(ffmpeg 5.1 writes none). Usage: set-rotation.py FILE DEGREES (clockwise: 0, 90, 180, 270)"""
import struct, sys

ONE, MINUS = 0x00010000, 0xFFFF0000
MATRICES = {  # a, b, c, d of the 3x3 matrix, 16.16 fixed point (u, v, w stay 0, 0, 1<<30)
    0: (ONE, 0, 0, ONE), 90: (0, ONE, MINUS, 0), 180: (MINUS, 0, 0, MINUS), 270: (0, MINUS, ONE, 0)}

def boxes(data, start, end):
    pos = start
    while pos + 8 <= end:
        size, kind = struct.unpack('>I4s', data[pos:pos + 8])
        if size < 8: break
        yield pos, size, kind
        pos += size

def main():
    path, degrees = sys.argv[1], int(sys.argv[2])
    data = bytearray(open(path, 'rb').read())
    a, b, c, d = MATRICES[degrees]
    done = False
    for pos, size, kind in boxes(data, 0, len(data)):
        if kind != b'moov': continue
        for tpos, tsize, tkind in boxes(data, pos + 8, pos + size):
            if tkind != b'trak': continue
            for hpos, hsize, hkind in boxes(data, tpos + 8, tpos + tsize):
                if hkind != b'tkhd': continue
                version = data[hpos + 8]
                matrix = hpos + (48 if version == 0 else 60)
                width = struct.unpack('>I', data[matrix + 36:matrix + 40])[0]
                if width == 0: continue  # an audio track
                struct.pack_into('>9I', data, matrix, a, b, 0, c, d, 0, 0, 0, 0x40000000)
                done = True
    if not done: sys.exit('no video track header found')
    open(path, 'wb').write(data)

main()
