#!/usr/bin/env python3
"""Writes a zip that is the same bytes for the same files: entries sorted under one top folder,
every time stamp the given moment (SOURCE_DATE_EPOCH), no extra fields, names in UTF-8 with the
flag that tells Windows so, attributes as Windows keeps them.

    make_zip.py OUT.zip TOP_FOLDER SOURCE_FOLDER EPOCH
"""
import sys
import time
import zipfile
from pathlib import Path

# A zip's MS-DOS times start in 1980.
EARLIEST_ZIP_TIME = (1980, 1, 1, 0, 0, 0)
MSDOS_SYSTEM = 0
ATTRIBUTE_DIRECTORY = 0x10
ATTRIBUTE_ARCHIVE = 0x20


def entry(name, when, attributes):
    info = zipfile.ZipInfo(name, date_time=when)
    info.create_system = MSDOS_SYSTEM
    info.external_attr = attributes
    return info


def main():
    out, top, source, epoch = sys.argv[1], sys.argv[2], Path(sys.argv[3]), int(sys.argv[4])
    when = max(EARLIEST_ZIP_TIME, tuple(time.gmtime(epoch))[:6])
    files = sorted(p for p in source.rglob("*") if p.is_file())
    with zipfile.ZipFile(out, "w") as archive:
        directory = entry(top + "/", when, ATTRIBUTE_DIRECTORY)
        archive.writestr(directory, b"")
        for path in files:
            name = top + "/" + path.relative_to(source).as_posix()
            info = entry(name, when, ATTRIBUTE_ARCHIVE)
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, path.read_bytes(), compresslevel=9)


if __name__ == "__main__":
    main()
