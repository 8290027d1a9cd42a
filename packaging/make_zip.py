#!/usr/bin/env python3
"""Writes the portable zip: every file given, inside one folder of the given name.

Names are stored as UTF-8 with the zip's UTF-8 flag set (general purpose bit 11), so that Windows
shows the Chinese names as they are, and every entry gets one fixed time, so that the same files
give the same archive.
    make_zip.py OUTPUT.zip FOLDER FILE...
"""
import os
import sys
import zipfile

FIXED_TIME = (2026, 1, 1, 0, 0, 0)


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    output, folder, files = argv[1], argv[2], argv[3:]
    with zipfile.ZipFile(output + ".part", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path in files:
            entry = zipfile.ZipInfo(folder + "/" + os.path.basename(path), FIXED_TIME)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            with open(path, "rb") as source:
                archive.writestr(entry, source.read())
    os.replace(output + ".part", output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
