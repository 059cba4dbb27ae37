#!/usr/bin/env python3
"""Writes the hash of every file the page downloads into the table of hashes in the site's
index.html, which the page checks its downloads against. A file missing from the site gets no
hash. Run on a built site; running it again reseals it, as after a file of the site was
replaced."""
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


main()
