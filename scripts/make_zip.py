#!/usr/bin/env python3
"""Makes the release zip from the given files, the same bytes from the same files wherever and
whenever it runs: entries at the top level in name order, each dated SOURCE_DATE_EPOCH (the
commit's time; 1980-01-01, the earliest a zip can hold, when unset), with fixed attributes and
compression. Writes <zip>.sha256 beside it, in sha256sum's format.

  scripts/make_zip.py <zip> <file>...
"""
import hashlib
import os
import pathlib
import sys
import time
import zipfile


def main():
    archive, files = pathlib.Path(sys.argv[1]), [pathlib.Path(f) for f in sys.argv[2:]]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or 315532800)
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as out:
        for file in sorted(files, key=lambda f: f.name):
            entry = zipfile.ZipInfo(file.name, stamp)
            entry.create_system = 0  # MS-DOS attributes, as Windows' own zips carry
            entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            out.writestr(entry, file.read_bytes(), compresslevel=9)
    digest = hashlib.sha256(archive.read_bytes()).hexdigest()
    archive.with_name(archive.name + ".sha256").write_text(f"{digest}  {archive.name}\n")
    print(f"{digest}  {archive}")


if __name__ == "__main__":
    main()
