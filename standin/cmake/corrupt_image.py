#!/usr/bin/env python3
"""Copies a DLL and makes the system's loader refuse it (ERROR_BAD_EXE_FORMAT)
while its headers and version resource stay readable: the section alignment
drops below the file alignment, which no valid image has."""
import shutil
import struct
import sys


def main(source, destination):
    shutil.copyfile(source, destination)
    with open(destination, "r+b") as image:
        data = bytearray(image.read())
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            sys.exit(f"{source}: no PE header")
        optional = pe + 24
        section_alignment, file_alignment = struct.unpack_from("<II", data, optional + 32)
        if file_alignment < 2 or section_alignment < file_alignment:
            sys.exit(f"{source}: unexpected alignments {section_alignment:#x}/{file_alignment:#x}")
        struct.pack_into("<I", data, optional + 32, file_alignment // 2)
        image.seek(0)
        image.write(data)


if __name__ == "__main__":
    main(*sys.argv[1:])
