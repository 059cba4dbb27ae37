"""The PNG check the seal makes of every picture, over the game's own pictures and the ways a
download or an upload damages one: the page has the browser decode only a whole one."""
import pathlib
import struct
import sys
import unittest
import zlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "dist/web"))
import seal  # noqa: E402 (found beside the page it seals)

SPRITES = (ROOT / "gfx/sprites.png").read_bytes()


def changed(at):
    return SPRITES[:at] + bytes([SPRITES[at] ^ 0xFF]) + SPRITES[at + 1:]


def png(*chunks):
    """A PNG of its signature and the given chunks, each with its right checksum."""
    parts = [seal.PNG_SIGNATURE]
    for kind, data in chunks:
        body = kind + data
        parts.append(struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body)))
    return b"".join(parts)


PICTURES = [
    ("the game's sprite sheet", SPRITES, True),
    ("the game's background", (ROOT / "gfx/back800.png").read_bytes(), True),
    ("a picture of its chunks, IHDR first and IEND last", png((b"IHDR", b"\1\2\3"), (b"IEND", b"")), True),
    ("an empty file", b"", False),
    ("the signature alone", SPRITES[:8], False),
    ("half of it", SPRITES[:len(SPRITES) // 2], False),
    ("all but its last byte", SPRITES[:-1], False),
    ("a byte changed inside a chunk", changed(len(SPRITES) - 100), False),
    ("a byte changed in the signature", changed(1), False),
    ("no IEND", png((b"IHDR", b"\1\2\3")), False),
    ("a chunk before IHDR", png((b"tEXt", b"A"), (b"IHDR", b"\1"), (b"IEND", b"")), False),
    ("text", b"not a picture", False),
]


class WholePng(unittest.TestCase):
    def test_pictures(self):
        for name, data, whole in PICTURES:
            with self.subTest(name):
                self.assertEqual(seal.whole_png(data), whole)


if __name__ == "__main__":
    unittest.main()
