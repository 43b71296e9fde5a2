#!/usr/bin/env python3
"""Checks that a 32-bit Windows executable imports only DLLs that Windows 10
loads from its own system folder whatever lies beside the program: the
KnownDLLs, plus comctl32, which the manifest binds to the system's side-by-side
copy. Any other name could be planted next to the program in a downloads
folder and would be loaded at start.

    check-imports.py [--system32-dependents] program.exe [more.exe ...]

Prints every imported DLL; exits 1 when one is not allowed or the file is not
a PE image, 0 otherwise. Delay-loaded imports count as imports.
--system32-dependents also requires a load configuration whose dependent load
flags send the loader to the system folder (LOAD_LIBRARY_SEARCH_SYSTEM32) for
the static imports.
"""
import struct
import sys

LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800

ALLOWED = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll",
    "comctl32.dll",
}


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        _, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.pe32_plus = magic == 0x20B
        if magic == 0x10B:
            self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
            directories = optional + 96
        elif magic == 0x20B:
            self.image_base = struct.unpack_from("<Q", data, optional + 24)[0]
            directories = optional + 112
        else:
            raise ValueError("unknown optional header 0x%x" % magic)
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(count)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            virtual_size, virtual_address, raw_size, raw_pointer = struct.unpack_from(
                "<IIII", data, table + 40 * i + 8)
            self.sections.append((virtual_address, max(virtual_size, raw_size), raw_pointer))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError("address 0x%x is in no section" % rva)

    def string(self, rva):
        start = self.offset(rva)
        end = self.data.index(b"\0", start)
        return self.data[start:end].decode("ascii", "replace")

    def directory(self, index):
        if index >= len(self.directories):
            return 0, 0
        return self.directories[index]

    def dependent_load_flags(self):
        """The load configuration's dependent load flags, None without one that holds them."""
        rva, size = self.directory(10)
        if not rva or not size:
            return None
        at = self.offset(rva)
        declared = struct.unpack_from("<I", self.data, at)[0]
        field = 0x4E if self.pe32_plus else 0x36
        if min(declared, size) < field + 2:
            return None
        return struct.unpack_from("<H", self.data, at + field)[0]

    def imports(self):
        names = []
        rva, size = self.directory(1)
        if rva and size:
            at = self.offset(rva)
            while True:
                fields = struct.unpack_from("<IIIII", self.data, at)
                if not any(fields):
                    break
                names.append(self.string(fields[3]))
                at += 20
        rva, size = self.directory(13)
        if rva and size:
            at = self.offset(rva)
            while True:
                fields = struct.unpack_from("<IIIIIIII", self.data, at)
                if not any(fields):
                    break
                name = fields[1] if fields[0] & 1 else fields[1] - self.image_base
                names.append(self.string(name))
                at += 32
        return names


def check(path, system32_dependents):
    with open(path, "rb") as f:
        image = PeImage(f.read())
    names = image.imports()
    bad = sorted({n for n in names if n.lower() not in ALLOWED})
    print("%s imports: %s" % (path, ", ".join(sorted(n.lower() for n in names))))
    for n in bad:
        print("NOT ALLOWED: %s (load it at run time by its full system path instead)" % n)
    ok = not bad and bool(names)
    if system32_dependents:
        flags = image.dependent_load_flags()
        print("%s dependent load flags: %s" % (path, "none" if flags is None else "0x%x" % flags))
        if flags is None or not flags & LOAD_LIBRARY_SEARCH_SYSTEM32:
            print("NOT RESTRICTED: the static imports would be looked for beside the program first")
            ok = False
    return ok


def main(argv):
    paths = [a for a in argv[1:] if a != "--system32-dependents"]
    if not paths:
        print(__doc__.strip())
        return 2
    ok = True
    for path in paths:
        try:
            ok = check(path, len(paths) < len(argv) - 1) and ok
        except (OSError, ValueError, struct.error) as e:
            print("%s: cannot read the import table: %s" % (path, e))
            ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
