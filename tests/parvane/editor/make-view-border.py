#!/usr/bin/env python3
"""Puts one MPEG-2 pack of padding in front of a program stream, sized so that the start code
of a GOP header straddles the border between the first two 512 KiB views (two bytes each side)."""
import sys

VIEW = 0x80000
src, dst = sys.argv[1], sys.argv[2]
data = open(src, 'rb').read()
first_pack = data.find(b'\x00\x00\x01\xba')
gop = -1
at = 0
while True:
    at = data.find(b'\x00\x00\x01\xb8', at + 1)
    if at < 0:
        break
    # the padding pack needs 14 header bytes and a 6-byte packet header, and holds 65535 bytes
    if 20 <= VIEW - 2 - at <= 65000:
        gop = at
        break
if gop < 0:
    sys.exit('no GOP header within reach of the view border')
n = VIEW - 2 - gop
pack = bytearray(data[first_pack:first_pack + 14])
pack[13] = (pack[13] & 0xF8)
pad = n - 14
pack += b'\x00\x00\x01\xbe' + bytes([(pad - 6) >> 8, (pad - 6) & 0xFF]) + b'\xff' * (pad - 6)
assert len(pack) == n
out = bytes(pack) + data
assert out[VIEW - 2:VIEW + 2] == b'\x00\x00\x01\xb8'
open(dst, 'wb').write(out)
