"""The seal's PNG check of every picture, over the game's own pictures and the ways a download
or an upload damages one (the page has the browser decode only a whole one); and its pack of the
font and the pictures, over the ways a site is built, changed and sealed again."""
import json
import pathlib
import re
import struct
import sys
import tempfile
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


PAGE = """<!DOCTYPE html><html><head>
<link rel="preload" as="script" href="dunmarrow.js">
<script type="application/json" id="hashes">
{"dunmarrow.js": "", "fonts/vera.ttf": {"in": "assets.pack"}, "gfx/sprites.png": {"in": "assets.pack"},
 "gfx/win.png": {"in": "assets.pack"}, "gfx/menu.png": {"in": "assets.pack"}, "assets.pack": ""}
</script></head></html>
"""
# What a built site holds, under its plain names: the win picture cut short, the menu missing.
BUILT = {"dunmarrow.js": b"game", "fonts/vera.ttf": b"font", "gfx/sprites.png": SPRITES,
         "gfx/win.png": SPRITES[:100], "service-worker.js": b"const BUILD = {};\n",
         "index.html": PAGE.encode()}


class Pack(unittest.TestCase):
    def setUp(self):
        made = tempfile.TemporaryDirectory()
        self.addCleanup(made.cleanup)
        self.root = pathlib.Path(made.name)
        for name, data in BUILT.items():
            (self.root / name).parent.mkdir(parents=True, exist_ok=True)
            (self.root / name).write_bytes(data)

    def seal(self, *options):
        sys.argv = ["seal.py", *options, str(self.root)]
        seal.main()
        text = (self.root / "index.html").read_text()
        return text, json.loads(seal.TABLE.search(text).group(1))

    def unpacked(self, table):
        """Each packed file as the pack holds it, by the table."""
        pack = (self.root / table["assets.pack"]["at"]).read_bytes()
        return {name: pack[entry["from"]:entry["from"] + entry["size"]]
                for name, entry in table.items() if "size" in entry}

    def test_sealed_and_sealed_again(self):
        text, table = self.seal()
        packed = {"fonts/vera.ttf": b"font", "gfx/sprites.png": SPRITES, "gfx/win.png": SPRITES[:100]}
        self.assertEqual(self.unpacked(table), packed)
        self.assertEqual([table[name].get("whole") for name in ("gfx/sprites.png", "gfx/win.png",
                         "gfx/menu.png", "fonts/vera.ttf")], [True, False, False, None])
        self.assertEqual(table["gfx/menu.png"], {"in": "assets.pack", "whole": False})
        for name in packed:
            self.assertFalse((self.root / name).exists(), name)
        self.assertFalse((self.root / "gfx").exists(), "an empty folder left in the site")
        self.assertIn('href="%s" integrity="%s"' % (table["assets.pack"]["at"],
                      table["assets.pack"]["integrity"]), text)
        worker = (self.root / "service-worker.js").read_text()
        self.assertEqual(sorted(json.loads(re.search(r"const BUILD = (\{.*\});", worker, re.S)
                                           .group(1))["files"]),
                         sorted([table["assets.pack"]["at"], table["dunmarrow.js"]["at"],
                                 "index.html"]))
        # Sealed again as it is, nothing changes; a picture put back under its plain name
        # replaces the packed one; unpacked, changed and sealed, the pack holds the change.
        self.assertEqual(self.seal()[1], table)
        (self.root / "gfx").mkdir()
        (self.root / "gfx/win.png").write_bytes(SPRITES)
        _, table = self.seal()
        self.assertEqual(self.unpacked(table), dict(packed, **{"gfx/win.png": SPRITES}))
        self.assertTrue(table["gfx/win.png"]["whole"])
        self.seal("--unpack")
        self.assertEqual(sorted(path.name for path in self.root.rglob("*.pack")), [])
        self.assertEqual((self.root / "gfx/sprites.png").read_bytes(), SPRITES)
        (self.root / "fonts/vera.ttf").unlink()
        _, table = self.seal()
        self.assertEqual(table["fonts/vera.ttf"], {"in": "assets.pack"})
        self.assertEqual(self.unpacked(table), {"gfx/sprites.png": SPRITES, "gfx/win.png": SPRITES})


if __name__ == "__main__":
    unittest.main()
