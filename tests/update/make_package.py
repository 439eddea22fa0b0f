#!/usr/bin/env python3
"""Builds an update package for the tests: make_package.py OUT ENTRIES_FILE

ENTRIES_FILE holds a JSON list of entries {"name": stored name, "text": content, "repeat": how
many times the text is repeated (default 1), "stored": true to store without compression,
"bad_crc": true to flip one byte of the stored content afterwards}.
"""
import json
import sys
import zipfile


def main():
    out, entries = sys.argv[1], json.load(open(sys.argv[2]))
    with zipfile.ZipFile(out, "w") as package:
        for entry in entries:
            info = zipfile.ZipInfo(entry["name"], date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_STORED if entry.get("stored") or entry.get("bad_crc") else zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            package.writestr(info, (entry.get("text", "") * entry.get("repeat", 1)).encode("latin-1"))
    for entry in entries:
        if entry.get("bad_crc"):
            data = bytearray(open(out, "rb").read())
            content = entry["text"].encode("latin-1")
            at = data.find(content)
            data[at] ^= 0xFF
            open(out, "wb").write(bytes(data))


if __name__ == "__main__":
    main()
