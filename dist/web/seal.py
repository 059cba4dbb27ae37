#!/usr/bin/env python3
"""Writes the hash of every file the page downloads into the table of hashes in the site's
index.html, which the page checks its downloads against (a file missing from the site gets no
hash), then every file of the site with its hash into the offline worker, service-worker.js.
Run on a built site; running it again reseals it, as after a file of the site was replaced."""
import base64
import hashlib
import json
import pathlib
import re
import sys


def integrity(site, name):
    digest = hashlib.sha384((site / name).read_bytes()).digest()
    return "sha384-" + base64.b64encode(digest).decode()


def main():
    site = pathlib.Path(sys.argv[1])
    page = site / "index.html"
    text = page.read_text(encoding="utf-8")
    found = re.search(r'<script type="application/json" id="hashes">\s*(\{.*?\})\s*</script>',
                      text, flags=re.S)
    if not found:
        sys.exit("seal.py: %s has no table of hashes" % page)
    table = {name: integrity(site, name) if (site / name).is_file() else ""
             for name in json.loads(found.group(1))}
    text = text[:found.start(1)] + json.dumps(table, indent=0) + text[found.end(1):]
    page.write_text(text, encoding="utf-8")
    seal_service_worker(site)


def seal_service_worker(site):
    """Every file of the sealed site, index.html included, goes into the offline worker's list
    with its hash, and the build's version is the hash of that list."""
    worker = site / "service-worker.js"
    files = sorted(path.relative_to(site).as_posix() for path in site.rglob("*")
                   if path.is_file() and path != worker)
    listed = {name: integrity(site, name) for name in files}
    version = hashlib.sha256(json.dumps(listed).encode()).hexdigest()[:16]
    build = json.dumps({"version": version, "files": listed}, indent=1)
    text, count = re.subn(r"^const BUILD = \{.*?\};$", lambda _: "const BUILD = %s;" % build,
                          worker.read_text(encoding="utf-8"), count=1, flags=re.M | re.S)
    if count != 1:
        sys.exit("seal.py: %s has no place for the build's files" % worker)
    worker.write_text(text, encoding="utf-8")


main()
