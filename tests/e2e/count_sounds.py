#!/usr/bin/env python3
"""Counts the sounds the game played, from what SDL's disk audio driver wrote: raw 16-bit
stereo at 44.1 kHz, the format of the game's own sounds, which the mixer copies unchanged
onto its silence. Each time one of them was played, its opening samples stand in the stream
exactly as in its file, so a sound played twice in a row counts twice, where a count of the
stretches between silences would hear one. Where two sounds overlap, the later one's opening
is mixed with the first and no longer stands exactly: the stretches that begin after 10 ms of
silence still count it. The larger of the two counts is printed.
Arguments: STREAM [SOUND_FOLDER] (the game's sfx folder beside this script by default)."""
import pathlib
import re
import sys
import wave

FRAME_BYTES = 4
SILENT_FRAMES = 441  # 10 ms at 44.1 kHz
OPENING_FRAMES = 256


def openings(folder):
    """The first frames of each sound from where it stops being silent."""
    for path in sorted(pathlib.Path(folder).glob("*.wav")):
        with wave.open(str(path)) as sound:
            samples = sound.readframes(sound.getnframes())
        start = next((i for i in range(0, len(samples), FRAME_BYTES)
                      if samples[i:i + FRAME_BYTES] != b"\0" * FRAME_BYTES), 0)
        yield samples[start:start + OPENING_FRAMES * FRAME_BYTES]


def played(data, folder):
    return sum(len(re.findall(re.escape(opening), data)) for opening in openings(folder))


def onsets(data):
    silences = list(re.finditer(rb"\0{%d,}" % (SILENT_FRAMES * FRAME_BYTES), data))
    count = sum(1 for m in silences if m.end() < len(data))
    if data and (not silences or silences[0].start() > 0):
        count += 1
    return count


def main():
    folder = sys.argv[2] if len(sys.argv) > 2 else pathlib.Path(__file__).parents[2] / "sfx"
    try:
        data = pathlib.Path(sys.argv[1]).read_bytes()
    except FileNotFoundError:
        data = b""
    print(max(played(data, folder), onsets(data)))


main()
