#!/usr/bin/env python3
"""Scans the release for the supervisor's sequence that this build tree's tests use: the stripped programs, the zip's
members as they unpack and the installer, for the digits in every form a program could hold them. No shipped file may
hold any: the sequence is each installation's own, set when installing.

Usage: scan-sequence.py WINDOWS_BUILD_TREE
"""
import itertools
import pathlib
import random
import re
import struct
import sys
import zipfile


def encodings(sequence):
    digits = [int(c) for c in sequence]
    keys = [ord(c) for c in sequence]  # the main-row key codes are the ASCII digits
    keypad = [0x60 + d for d in digits]  # VK_NUMPAD0 + digit
    number = int(sequence)
    forms = {
        "ASCII": sequence.encode("ascii"),
        "UTF-16": sequence.encode("utf-16-le"),
        "UTF-32": sequence.encode("utf-32-le"),
        "bytes": bytes(digits),
        "keypad key bytes": bytes(keypad),
        "16-bit integers": struct.pack("<6H", *digits),
        "32-bit integers": struct.pack("<6I", *digits),
        "64-bit integers": struct.pack("<6Q", *digits),
        "16-bit big-endian integers": struct.pack(">6H", *digits),
        "32-bit big-endian integers": struct.pack(">6I", *digits),
        "32-bit key codes": struct.pack("<6I", *keys),
        "32-bit keypad key codes": struct.pack("<6I", *keypad),
        "the number as a 32-bit integer": struct.pack("<I", number),
        "the number as a 32-bit big-endian integer": struct.pack(">I", number),
        "a bit set of the digits in order": struct.pack("<Q", sum(d << (4 * i) for i, d in enumerate(digits))),
    }
    return forms


CHANCE_SAMPLE = 3000


def chance_matches(content, form, sequence):
    """How many other sequences the content holds in the same form. A short form (the number in four bytes holds
    about 20 bits) turns up by chance in a megabyte of machine code for about one sequence in a few hundred; a hit
    then says nothing about the build's own sequence."""
    others = ["".join(p) for p in itertools.permutations("0123456789", 6) if "".join(p) != sequence]
    return sum(encodings(other)[form] in content for other in random.Random(0).sample(others, CHANCE_SAMPLE))


def main():
    build = pathlib.Path(sys.argv[1])
    cache = (build / "CMakeCache.txt").read_text()
    sequence = re.search(r"^PC1_SUPERVISOR_SEQUENCE:STRING=(\d{6})$", cache, re.M).group(1)
    files = {}
    for path in [build / "release" / "PC1.exe", build / "release" / "PC1Ayar.exe", build / "release" / "PC1.ini",
                 *build.glob("PC1-*-setup.exe"), *build.glob("PC1-*.zip")]:
        files[str(path.relative_to(build))] = path.read_bytes()
    zips = list(build.glob("PC1-*.zip"))
    if len(zips) != 1 or len(files) < 5:
        sys.exit("FAIL: the release is not built (%s)" % ", ".join(files))
    with zipfile.ZipFile(zips[0]) as archive:
        for name in archive.namelist():
            files[zips[0].name + ":" + name] = archive.read(name)

    found = [(name, form) for name, content in files.items() for form, pattern in encodings(sequence).items()
             if pattern in content]
    failed = False
    for name, form in found:
        matches = chance_matches(files[name], form, sequence)
        if matches:
            print("NOTE: %s holds the sequence as %s, and %d of %d other sequences in the same form: chance" %
                  (name, form, matches, CHANCE_SAMPLE))
        else:
            print("FAIL: %s holds the sequence as %s" % (name, form))
            failed = True
    if failed:
        sys.exit(1)
    print("PASS: %d files, %d forms each: no sequence" % (len(files), len(encodings(sequence))))


if __name__ == "__main__":
    main()
