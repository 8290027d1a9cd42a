#!/usr/bin/env python3
"""The portable zip as a Windows user unpacks it: one folder holding the built program and the guide,
the names marked as UTF-8 (so that Windows shows the Chinese), the guide in UTF-8 with a byte-order
mark and Windows line ends.
    portable_zip_test.py ZIP PROGRAM GUIDE_SOURCE FOLDER
"""
import sys
import zipfile


def main(zip_path, program, guide, folder):
    failures = []
    with zipfile.ZipFile(zip_path) as archive:
        entries = {info.filename: info for info in archive.infolist()}
        program_name = folder + "/" + folder + ".exe"
        guide_name = folder + "/使用说明.txt"
        if sorted(entries) != sorted([program_name, guide_name]):
            failures.append("entries: %r" % sorted(entries))
        for info in entries.values():
            if not info.flag_bits & 0x800:
                failures.append("%s: name not marked as UTF-8" % info.filename)
        if program_name in entries and archive.read(program_name) != open(program, "rb").read():
            failures.append("the program in the zip is not the built one")
        if guide_name in entries:
            text = archive.read(guide_name)
            if not text.startswith(b"\xef\xbb\xbf"):
                failures.append("the guide has no byte-order mark")
            if text != open(guide, "rb").read():
                failures.append("the guide differs from its source")
            if b"\n" in text.replace(b"\r\n", b""):
                failures.append("the guide has a line end without CR")
            text[3:].decode("utf-8")  # raises on anything that is not UTF-8
    for failure in failures:
        print("FAILED: " + failure)
    print("portable zip: %d problems" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
