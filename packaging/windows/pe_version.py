#!/usr/bin/env python3
"""Prints the version strings of a Windows program's version resource, one "Name: value" a line.

Reads the StringFileInfo block that windres wrote (UTF-16 names and values), so that a
Linux machine can tell which version a tallyra.exe is without running Windows.
"""
import sys

NAMES = ["ProductName", "ProductVersion", "FileVersion", "FileDescription", "CompanyName",
         "LegalCopyright"]


def value_after(data: bytes, name: str):
    key = (name + "\0").encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return None
    at += len(key)
    at += (4 - at % 4) % 4  # values start on a 32-bit boundary
    end = at
    while end + 1 < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def main() -> int:
    if len(sys.argv) != 2:
        print("usage: pe_version.py PROGRAM.exe", file=sys.stderr)
        return 2
    data = open(sys.argv[1], "rb").read()
    found = False
    for name in NAMES:
        value = value_after(data, name)
        if value is not None:
            found = True
            print(f"{name}: {value}")
    if not found:
        print(f"{sys.argv[1]}: no version resource", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
