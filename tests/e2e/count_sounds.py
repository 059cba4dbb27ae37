#!/usr/bin/env python3
"""Counts the sounds that began in what SDL's disk audio driver wrote: raw 16-bit stereo, as
the game opens the mixer. The mixer writes exact silence between sounds, so a sound begins
where the stream leaves a stretch of silence of 10 ms or more (or at its very start)."""
import re
import sys

FRAME_BYTES = 4
SILENT_FRAMES = 441  # 10 ms at 44.1 kHz

try:
    with open(sys.argv[1], "rb") as stream:
        data = stream.read()
except FileNotFoundError:
    data = b""
silences = [m for m in re.finditer(rb"\0{%d,}" % (SILENT_FRAMES * FRAME_BYTES), data)]
onsets = sum(1 for m in silences if m.end() < len(data))
if data and (not silences or silences[0].start() > 0):
    onsets += 1
print(onsets)
