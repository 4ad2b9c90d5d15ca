#!/usr/bin/env python3
"""Packs the release zips from the two built programs, the same bytes every time.

pack_release.py EXE32 EXE64 README NOTICE DIST

Writes DIST/velnor-<version>-win32.zip, DIST/velnor-<version>-win64.zip and
DIST/SHA256SUMS (the format sha256sum -c reads). The version is read from the
programs' own version resource, so it is written in one place only. A zip holds one
folder, velnor-<version>, with velnor.exe, README.txt and NOTICE.txt: entries in
that order, each dated 1980-01-01 00:00 and marked as an ordinary file readable by
all, whatever the clock, the umask or the file system said.
"""

import hashlib
import os
import struct
import sys
import zipfile

FIXED_FILE_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def file_version(exe_path):
    """The fixed file version of the program's version resource, as a.b.c.d."""
    data = open(exe_path, "rb").read()
    at = data.find(FIXED_FILE_INFO_SIGNATURE)
    if at < 0:
        sys.exit(f"release: {exe_path} has no version resource")
    # VS_FIXEDFILEINFO: signature, struct version, then FileVersionMS and FileVersionLS.
    most, least = struct.unpack_from("<II", data, at + 8)
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def readme_text(readme_path):
    """The README's part for users, for Notepad: its opening lines, then from
    "## Install on Windows" up to the rule that starts the developers' part (the
    pictures and the commands for building from the sources mean nothing there);
    CRLF line ends, UTF-8 with a byte-order mark so every Notepad since Windows 7
    reads it as UTF-8."""
    lines = open(readme_path, encoding="utf-8").read().splitlines()
    opening = []
    for line in lines:
        if line.startswith(("| ", "## ")):
            break
        opening.append(line.rstrip())
    try:
        first = lines.index("## Install on Windows")
        last = lines.index("---", first)
    except ValueError:
        sys.exit(f"release: {readme_path} has no '## Install on Windows' section ending at a '---' rule")
    text = opening + [line.rstrip() for line in lines[first:last]]
    while text and not text[-1]:
        text.pop()
    return ("\ufeff" + "\r\n".join(text) + "\r\n").encode("utf-8")


def crlf(path):
    text = open(path, encoding="utf-8").read()
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def write_zip(path, folder, entries):
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(f"{folder}/{name}", date_time=ZIP_EPOCH)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so the permission bits below are read
            info.external_attr = (0o100644 << 16)
            archive.writestr(info, data, compresslevel=9)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    exe32, exe64, readme, notice, dist = sys.argv[1:]
    version = file_version(exe32)
    if file_version(exe64) != version:
        sys.exit(f"release: the builds disagree on the version: {version} and {file_version(exe64)}")
    os.makedirs(dist, exist_ok=True)
    texts = [("README.txt", readme_text(readme)), ("NOTICE.txt", crlf(notice))]
    sums = []
    for bits, exe in (("win32", exe32), ("win64", exe64)):
        name = f"velnor-{version}-{bits}.zip"
        entries = [("velnor.exe", open(exe, "rb").read())] + texts
        write_zip(os.path.join(dist, name), f"velnor-{version}", entries)
        digest = hashlib.sha256(open(os.path.join(dist, name), "rb").read()).hexdigest()
        sums.append(f"{digest}  {name}\n")
    with open(os.path.join(dist, "SHA256SUMS"), "w", newline="\n") as out:
        out.writelines(sums)
    print(version)


if __name__ == "__main__":
    main()
