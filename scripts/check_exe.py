#!/usr/bin/env python3
"""Checks a built tidyreel.exe before it is tested on Windows or packaged: that it starts on every
Windows its manifest lists, Vista to 10, without anything installed beside it.

  scripts/check_exe.py [path/to/tidyreel.exe]      (default: build/windows/tidyreel.exe)

- a 64-bit (PE32+) Windows GUI image;
- a subsystem version Vista (6.0) accepts: Windows refuses to start an image that asks for a newer
  one than itself;
- imports only from the DLLs every one of those systems has: no compiler runtime DLL, no Universal
  C Runtime (api-ms-win-crt-*.dll and ucrtbase.dll come to Vista, 7, 8 and 8.1 only with an update),
  no other api-ms-win-* set;
- exactly one manifest resource, ID 1, and it is the project's own (a toolchain's default manifest
  linked beside it would give Windows the wrong one).

Prints what it found. Plain Python, so that it runs on Linux and on Windows runners alike.
"""
import pathlib
import struct
import sys

# The system DLLs present on every Windows from Vista on that the program may import.
ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll"}
RT_MANIFEST = 24
OWN_MANIFEST = b'name="Quillmoors.Tidyreel"'


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        self.optional = pe + 24
        self.magic = struct.unpack_from("<H", data, self.optional)[0]
        self.sections = [struct.unpack_from("<8xIII", data, self.optional + optional_size + 40 * i)
                         for i in range(sections)]  # (virtual size, address, raw size) ...
        self.raw = [struct.unpack_from("<20xI", data, self.optional + optional_size + 40 * i)[0]
                    for i in range(sections)]

    def field(self, fmt, offset):
        return struct.unpack_from(fmt, self.data, self.optional + offset)[0]

    def directory(self, index):  # PE32+ data directories start at 112
        return struct.unpack_from("<II", self.data, self.optional + 112 + 8 * index)

    def at(self, rva):
        for (size, address, raw_size), raw in zip(self.sections, self.raw):
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def text(self, rva):
        start = self.at(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def imports(self):
        names = []
        for index, size in ((1, 20), (13, 32)):  # import descriptors, delay-load descriptors
            rva = self.directory(index)[0]
            while rva:
                name = struct.unpack_from("<I", self.data, self.at(rva) + (12 if size == 20 else 4))[0]
                if not name:
                    break
                names.append(self.text(name))
                rva += size
        return names

    def resources(self, type_id):
        """The data of every resource of that type, as (name or ID, language, bytes)."""
        base_rva = self.directory(2)[0]
        if not base_rva:
            return []
        base = self.at(base_rva)

        def entries(offset):
            named, ids = struct.unpack_from("<12xHH", self.data, base + offset)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, base + offset + 16 + 8 * i)
                yield (f"name@{key & 0x7FFFFFFF:#x}" if key & 0x80000000 else key), target

        found = []
        for kind, names in entries(0):
            if kind != type_id:
                continue
            for name, languages in entries(names & 0x7FFFFFFF):
                for language, leaf in entries(languages & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    found.append((name, language, self.data[self.at(rva):self.at(rva) + size]))
        return found


def problems(image):
    if image.magic != 0x20B:
        yield f"not a 64-bit (PE32+) image: optional header magic {image.magic:#x}"
        return
    subsystem = image.field("<H", 68)
    version = (image.field("<H", 48), image.field("<H", 50))
    print(f"subsystem: {subsystem} (2 is Windows GUI), version {version[0]}.{version[1]}")
    if subsystem != 2:
        yield f"subsystem {subsystem}, not 2 (Windows GUI)"
    if version > (6, 0):
        yield f"subsystem version {version[0]}.{version[1]}: Windows Vista starts images up to 6.0"
    dlls = image.imports()
    print("imports: " + ", ".join(dlls))
    if not dlls:
        yield "no imported DLL found"
    for dll in dlls:
        if dll.lower() not in ALLOWED:
            yield f"imports {dll}, which not every Windows from Vista on has" + (
                " (the Universal C Runtime or an API set)" if dll.lower().startswith(("api-ms-win-", "ucrt")) else "")
    manifests = image.resources(RT_MANIFEST)
    print(f"manifests: {[(name, language) for name, language, _ in manifests]}")
    if len(manifests) != 1 or manifests[0][0] != 1:
        yield f"{len(manifests)} manifest resources; exactly one, ID 1, belongs there"
    elif OWN_MANIFEST not in manifests[0][2]:
        yield "the manifest is not the project's own (resources/tidyreel.manifest.in)"


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    exe = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "build/windows/tidyreel.exe"
    try:
        found = list(problems(Image(exe.read_bytes())))
    except (OSError, ValueError, struct.error) as error:
        found = [f"cannot read the image: {error}"]
    for problem in found:
        print(f"FAIL: {problem}", file=sys.stderr)
    if found:
        sys.exit(1)
    print(f"check_exe: {exe} OK")


if __name__ == "__main__":
    main()
