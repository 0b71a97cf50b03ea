#!/usr/bin/env python3
"""The Windows release zip: both programs, the README and the licence, and in each program a
version resource that carries the project's version.

    release_zip_test.py <source folder> <project version>

Builds the zip with scripts/release-windows.sh into a scratch folder and reads it back.
"""

import pathlib
import struct
import subprocess
import sys
import tempfile
import zipfile

FIXED_FILE_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
MACHINES = {0x14C: "i386", 0x8664: "x86-64"}


def pe_machine(data):
    (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    (machine,) = struct.unpack_from("<H", data, pe_offset + 4)
    return MACHINES.get(machine, hex(machine))


def fixed_versions(data):
    """(file version, product version) of the VS_FIXEDFILEINFO, as dotted texts."""
    at = data.find(FIXED_FILE_INFO_SIGNATURE)
    if at < 0:
        raise ValueError("no version resource")
    _, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", data, at)

    def dotted(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    return dotted(file_ms, file_ls), dotted(product_ms, product_ls)


def string_value(data, key):
    """The value of a String entry of the version resource: UTF-16 key, padding, UTF-16 value."""
    needle = (key + "\0").encode("utf-16-le")
    at = data.find(needle)
    if at < 0:
        raise ValueError(f"no {key} in the version resource")
    at += len(needle)
    at += -at % 4  # values start on a 32-bit boundary
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def main():
    source, version = pathlib.Path(sys.argv[1]), sys.argv[2]
    numbers = (version.split(".") + ["0"] * 4)[:4]
    wanted_fixed = ".".join(numbers)
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        made = subprocess.run([source / "scripts" / "release-windows.sh", scratch],
                              check=True, stdout=subprocess.PIPE, text=True).stdout.strip()
        name = f"tarvex-{version}-windows"
        if pathlib.Path(made).name != name + ".zip":
            failures.append(f"the zip is {made}, wanted {name}.zip")
        with zipfile.ZipFile(made) as archive:
            names = set(archive.namelist())
            for member, machine in ((f"{name}/tarvex.exe", "i386"),
                                    (f"{name}/64-bit/tarvex.exe", "x86-64")):
                if member not in names:
                    failures.append(f"{member} is missing")
                    continue
                data = archive.read(member)
                if pe_machine(data) != machine:
                    failures.append(f"{member} is built for {pe_machine(data)}, not {machine}")
                for kind, got in zip(("file", "product"), fixed_versions(data)):
                    if got != wanted_fixed:
                        failures.append(f"{member}: {kind} version {got}, wanted {wanted_fixed}")
                for key in ("FileVersion", "ProductVersion"):
                    got = string_value(data, key)
                    if got != version:
                        failures.append(f"{member}: {key} is '{got}', wanted '{version}'")
            for text in ("README.md", "LICENSE.txt"):
                if f"{name}/{text}" not in names:
                    failures.append(f"{text} is missing")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"{name}.zip: both programs carry version {version}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
