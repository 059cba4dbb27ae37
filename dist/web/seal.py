#!/usr/bin/env python3
"""Writes the hash of every file the page downloads into the site's index.html: the
integrity attribute of each stylesheet, script and preload, and the table of hashes that the
page checks its own downloads against. Run on a built site; running it again reseals it."""
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
    html = page.read_text(encoding="utf-8")

    def seal_tag(match):
        tag = match.group(0)
        name = re.search(r'(?:src|href)="([^"]+)"', tag).group(1)
        return re.sub(r'integrity="[^"]*"', 'integrity="%s"' % integrity(site, name), tag)

    html = re.sub(r'<[^>]*\bintegrity="[^"]*"[^>]*>', seal_tag, html)

    def seal_table(match):
        table = {name: integrity(site, name) for name in json.loads(match.group(2))}
        return match.group(1) + json.dumps(table) + match.group(3)

    html, tables = re.subn(r'(<script type="application/json" id="hashes">\s*)(\{.*?\})(\s*</script>)',
                           seal_table, html, flags=re.S)
    if tables != 1:
        sys.exit("seal.py: %s has no table of hashes" % page)
    page.write_text(html, encoding="utf-8")


main()
