#!/usr/bin/env python3
"""Seals a built site: every file the page downloads or loads as its own (the game, the pack
of its pictures and font, its sounds, the page's scripts and style) gets a name that changes
with its content, so that a browser's cache can never answer a new index.html with a file of an older
build. The files that the game's first frame needs beside its code (its pictures and its font)
go into one file, the pack, which a first visit downloads in one request rather than six. The
page's table of hashes (#hashes in index.html) gets each downloaded file's name and hash, which
the page checks it against (a file missing from the site gets no hash), where each packed file
lies in its pack, and whether each picture is a whole PNG; the page's own references and its
hints get the new names; and the offline worker, service-worker.js, gets every file of the
site with its hash.

Run on a built site, whose files have their plain names. Running it again reseals it: a file
put back under its plain name (gfx/win.png, say) replaces the sealed or packed one of that name,
and a sealed file changed in place gets its new name. With --unpack first, it puts the packed
files back under their plain names instead, to be changed and sealed again."""
import base64
import hashlib
import json
import pathlib
import re
import sys
import zlib

# A sealed name: the plain one with the first hex digits of its content's hash before its suffix.
SEALED = re.compile(r"\.[0-9a-f]{12}(?=\.[^./]+$)")
# The page's own files, referenced from index.html and from each other by name.
PAGE_REFERENCE = re.compile(
    r'(?P<at>(?:src|href)=")(?P<name>page/[\w-]+(?:\.[0-9a-f]{12})?\.js|page(?:\.[0-9a-f]{12})?\.css)"')


PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def whole_png(data):
    """Whether DATA is a PNG as a reader that checks it takes it: the signature, then chunks each
    whole with its checksum, IHDR first and IEND last. The browser would draw what it could of a
    damaged picture, where the desktop refuses it, so the page has it decode only a whole one;
    the check is made here, once, rather than by every player's browser before the game's first
    frame (the pack's hash makes sure the player gets the bytes checked)."""
    if data[:8] != PNG_SIGNATURE:
        return False
    at, first = 8, True
    while at + 12 <= len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        end = at + 8 + length
        if end + 4 > len(data):
            return False
        kind = data[at + 4:at + 8]
        if first != (kind == b"IHDR"):
            return False
        if zlib.crc32(data[at + 4:end]) != int.from_bytes(data[end:end + 4], "big"):
            return False
        if kind == b"IEND":
            return True
        at, first = end + 4, False
    return False


def plain(name):
    return SEALED.sub("", name)


def digest(path):
    return hashlib.sha384(path.read_bytes()).digest()


def integrity(path):
    return "sha384-" + base64.b64encode(digest(path)).decode()


def sealed_name(name, path):
    stem, _, suffix = name.rpartition(".")
    return "%s.%s.%s" % (stem, digest(path).hex()[:12], suffix)


class Site:
    def __init__(self, root):
        self.root = root
        worker = root / "service-worker.js"
        found = re.search(r"^const BUILD = (\{.*?\});$", worker.read_text(encoding="utf-8"),
                          flags=re.M | re.S)
        self.listed = set(json.loads(found.group(1)).get("files", {})) if found else set()
        # What this seal has named so far, by plain name.
        self.sealed = {}

    def current(self, name):
        """The file that holds NAME now: its plain name where the build or a host put it
        there, else its one sealed copy (the one the last seal listed, where an old build's
        copies were left beside it); None where the site lacks it."""
        if name in self.sealed:
            return self.sealed[name]
        if (self.root / name).is_file():
            for old in self.copies(name):
                (self.root / old).unlink()
            return name
        copies = self.copies(name)
        listed = [copy for copy in copies if copy in self.listed]
        if len(listed) == 1 or len(copies) == 1:
            return (listed or copies)[0]
        if copies:
            sys.exit("seal.py: several sealed copies of %s and none listed; put the one to keep "
                     "back under its plain name" % name)
        return None

    def copies(self, name):
        path = pathlib.PurePosixPath(name)
        return sorted(copy.relative_to(self.root).as_posix()
                      for copy in (self.root / path.parent).glob(path.stem + ".*" + path.suffix)
                      if plain(copy.relative_to(self.root).as_posix()) == name and copy.is_file())

    def seal(self, name):
        """Gives NAME's file its sealed name; returns that name, or None where the site lacks
        the file."""
        now = self.current(name)
        if now is None:
            return None
        path = self.root / now
        sealed = sealed_name(name, path)
        if sealed != now:
            path.rename(self.root / sealed)
        self.sealed[name] = sealed
        return sealed


def seal_page_scripts(site):
    """The page's scripts (page/boot.js, and page/main.js with every module it imports, bundled
    by the build) and its style; returns each one's sealed name by its plain one."""
    names = {plain(path.relative_to(site.root).as_posix())
             for path in (site.root / "page").glob("*.js")} | {"page.css"}
    return {name: site.seal(name) for name in sorted(names)}


def hints(table):
    """Everything else the game's first frame needs, asked for with the page itself rather than
    once its script has run, each request as the page makes it (CORS, with its hash) so that the
    page's own request takes the answer: the game's script, its WebAssembly and the pack of its
    font and pictures. The sounds are asked for once that frame is shown, and do not compete
    with it."""
    lines = []
    for name, entry in table.items():
        if not entry.get("integrity") or name.startswith("sfx/"):
            continue
        kind = "script" if name.endswith(".js") else "fetch"
        lines.append('<link rel="preload" as="%s" crossorigin="anonymous" href="%s" '
                     'integrity="%s">' % (kind, entry["at"], entry["integrity"]))
    return "\n".join(lines)


TABLE = re.compile(r'<script type="application/json" id="hashes">\s*(\{.*?\})\s*</script>',
                   flags=re.S)


def read_table(page):
    """The page's text and its table of hashes, as it stands."""
    text = page.read_text(encoding="utf-8")
    found = TABLE.search(text)
    if not found:
        sys.exit("seal.py: %s has no table of hashes" % page)
    return text, found, json.loads(found.group(1))


def packs(table):
    """Each pack by name, with the names of the files it holds, in their order; the table names
    a packed file with its pack ({"in": "assets.pack"} before the seal)."""
    found = {}
    for name, entry in table.items():
        if isinstance(entry, dict) and entry.get("in"):
            found.setdefault(entry["in"], []).append(name)
    return found


def packed_contents(site, table, pack):
    """The packed files that the pack on the site holds now, by name."""
    now = site.current(pack)
    if now is None:
        return {}
    data = (site.root / now).read_bytes()
    return {name: data[table[name]["from"]:table[name]["from"] + table[name]["size"]]
            for name in packs(table).get(pack, []) if "size" in table[name]}


def fill_pack(site, table, pack, names):
    """Writes the pack under its plain name: each of NAMES from its loose file where the site
    has one (which then goes), else as the pack held it; returns the table's entry for each.
    A file in neither is missing from the site, and gets no place in the pack."""
    contents = packed_contents(site, table, pack)
    data, entries = bytearray(), {}
    for name in names:
        loose = site.current(name)
        if loose is not None:
            contents[name] = (site.root / loose).read_bytes()
            (site.root / loose).unlink()
            # Nor an empty folder left behind (gfx/) in the site.
            folder = (site.root / loose).parent
            if folder != site.root and not any(folder.iterdir()):
                folder.rmdir()
        entries[name] = {"in": pack}
        if name in contents:
            entries[name].update({"from": len(data), "size": len(contents[name])})
            data += contents[name]
        if name.endswith(".png"):
            entries[name]["whole"] = name in contents and whole_png(contents[name])
    for old in site.copies(pack):
        (site.root / old).unlink()
    (site.root / pack).write_bytes(bytes(data))
    return entries


def unpack(site):
    """Puts every packed file back under its plain name, and takes the packs away."""
    _, _, table = read_table(site.root / "index.html")
    for pack in packs(table):
        for name, data in packed_contents(site, table, pack).items():
            (site.root / name).parent.mkdir(parents=True, exist_ok=True)
            (site.root / name).write_bytes(data)
        for old in site.copies(pack) + ([pack] if (site.root / pack).is_file() else []):
            (site.root / old).unlink()


def seal_page(site, page_files):
    page = site.root / "index.html"
    text, found, old = read_table(page)
    table = {}
    for pack, names in packs(old).items():
        table.update(fill_pack(site, old, pack, names))
    for name in old:
        if name in table:
            continue
        sealed = site.seal(name)
        table[name] = ({"at": sealed, "integrity": integrity(site.root / sealed)} if sealed
                       else {"at": name, "integrity": ""})
    table = {name: table[name] for name in old}
    text = text[:found.start(1)] + json.dumps(table, indent=0) + text[found.end(1):]
    text = PAGE_REFERENCE.sub(lambda found: '%s%s"' % (
        found.group("at"), page_files[plain(found.group("name"))]), text)
    text, count = re.subn(r'(?:<link rel="(?:module)?preload" [^>]*>\n)+',
                          lambda _: hints(table) + "\n", text, count=1)
    if count != 1:
        sys.exit("seal.py: %s has no place for the page's hints" % page)
    page.write_text(text, encoding="utf-8")


def seal_service_worker(site):
    """Every file of the sealed site, index.html included, goes into the offline worker's list
    with its hash (an older build's sealed copies left beside it are not this build's), and
    the build's version is the hash of that list."""
    worker = site.root / "service-worker.js"
    files = sorted(path.relative_to(site.root).as_posix() for path in site.root.rglob("*")
                   if path.is_file() and path != worker)
    files = [name for name in files if site.sealed.get(plain(name), name) == name]
    listed = {name: integrity(site.root / name) for name in files}
    version = hashlib.sha256(json.dumps(listed).encode()).hexdigest()[:16]
    build = json.dumps({"version": version, "files": listed}, indent=1)
    text, count = re.subn(r"^const BUILD = \{.*?\};$", lambda _: "const BUILD = %s;" % build,
                          worker.read_text(encoding="utf-8"), count=1, flags=re.M | re.S)
    if count != 1:
        sys.exit("seal.py: %s has no place for the build's files" % worker)
    worker.write_text(text, encoding="utf-8")


def main():
    if sys.argv[1:2] == ["--unpack"]:
        unpack(Site(pathlib.Path(sys.argv[2])))
        return
    site = Site(pathlib.Path(sys.argv[1]))
    seal_page(site, seal_page_scripts(site))
    seal_service_worker(site)


if __name__ == "__main__":
    main()
