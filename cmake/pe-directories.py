#!/usr/bin/env python3
"""Enters two tables that GNU ld (2.40) links into an image but leaves out of
its optional header:

- the load configuration (the symbol _load_config_used, defined in
  src/app/ImageDirectories.cpp): without the entry the loader never reads it;
- the delay import table: the descriptors of dlltool's delay-load libraries
  (symbols _DELAY_IMPORT_DESCRIPTOR_*, side by side) and the empty one that
  ends them. The runtime's helper does not need the entry, but the system's
  tools and our import check read the delay-loaded DLL names from it. A DLL
  named there must not be among the usual imports as well: that would load
  it at start after all.

The addresses come from the link map, since release images carry no symbols.

    pe-directories.py image.exe image.map

Exits 1 when a table is missing or malformed, 0 otherwise; the checksum is
made again after a change.
"""
import re
import struct
import sys

LOAD_CONFIG = 10
DELAY_IMPORT = 13
DELAY_DESCRIPTOR_SIZE = 32


def read_headers(data):
    if data[:2] != b"MZ":
        raise ValueError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic == 0x10B:
        image_base = struct.unpack_from("<I", data, optional + 28)[0]
        width = 4
        directories = optional + 96
    elif magic == 0x20B:
        image_base = struct.unpack_from("<Q", data, optional + 24)[0]
        width = 8
        directories = optional + 112
    else:
        raise ValueError("unknown optional header 0x%x" % magic)
    table = optional + optional_size
    section_list = []
    for i in range(sections):
        virtual_size, virtual_address, raw_size, raw_pointer = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        section_list.append((virtual_address, min(virtual_size, raw_size) or raw_size, raw_pointer))
    return pe, image_base, width, directories, section_list


def file_offset(sections, rva):
    for address, size, raw in sections:
        if address <= rva < address + size:
            return rva - address + raw
    raise ValueError("address 0x%x is in no section" % rva)


# The map names symbols as the C source does, on i686 as well.
def symbol_address(map_text, symbol="_load_config_used"):
    match = re.search(r"^\s+0x([0-9a-fA-F]+)\s+" + re.escape(symbol) + r"\s*$", map_text, re.MULTILINE)
    if not match:
        raise ValueError("%s is not in the link map" % symbol)
    return int(match.group(1), 16)


# The optional header's checksum as the system computes it: 16-bit sum with
# end-around carry over the whole file, the checksum field itself left out,
# plus the file's length.
def image_checksum(data, field):
    padded = bytes(data[:field]) + b"\0\0\0\0" + bytes(data[field + 4:])
    if len(padded) % 2:
        padded += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def string_at(data, sections, rva):
    start = file_offset(sections, rva)
    return data[start:data.index(b"\0", start)].decode("ascii", "replace")


def static_import_names(data, sections, directories):
    rva, size = struct.unpack_from("<II", data, directories + 8 * 1)
    names = []
    if rva and size:
        at = file_offset(sections, rva)
        while any(struct.unpack_from("<5I", data, at)):
            names.append(string_at(data, sections, struct.unpack_from("<I", data, at + 12)[0]))
            at += 20
    return names


def delay_import_table(data, sections, image_base, width, directories, map_text):
    """The delay import table's address and size, or None without delay imports."""
    found = re.findall(r"^\s+0x([0-9a-fA-F]+)\s+_+DELAY_IMPORT_DESCRIPTOR_\S+\s*$", map_text, re.MULTILINE)
    addresses = sorted({int(a, 16) - image_base for a in found})
    if not addresses:
        return None
    first = addresses[0]
    if addresses != [first + DELAY_DESCRIPTOR_SIZE * i for i in range(len(addresses))]:
        raise ValueError("the delay import descriptors are not side by side")
    end = file_offset(sections, first + DELAY_DESCRIPTOR_SIZE * len(addresses))
    if any(data[end:end + DELAY_DESCRIPTOR_SIZE]):
        raise ValueError("the delay import descriptors have no empty one after them")
    static_imports = {n.lower() for n in static_import_names(data, sections, directories)}
    # Every slot must lead to its stub, or the first call jumps to nowhere.
    word = "<Q" if width == 8 else "<I"
    for index in range(len(addresses)):
        at = file_offset(sections, first + DELAY_DESCRIPTOR_SIZE * index)
        attributes, name, _, slots, names = struct.unpack_from("<IIIII", data, at)
        base = 0 if attributes & 1 else image_base
        count = 0
        while struct.unpack_from(word, data, file_offset(sections, names - base + width * count))[0]:
            count += 1
        for i in range(count):
            if not struct.unpack_from(word, data, file_offset(sections, slots - base + width * i))[0]:
                raise ValueError("delay import %d of descriptor %d has an empty slot" % (i, index))
        delayed = string_at(data, sections, name - base).lower()
        if delayed in static_imports:
            raise ValueError("%s is delay-loaded and imported as usual as well" % delayed)
    return first, DELAY_DESCRIPTOR_SIZE * (len(addresses) + 1)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip())
        return 2
    image_path, map_path = argv[1], argv[2]
    try:
        with open(image_path, "rb") as f:
            data = bytearray(f.read())
        with open(map_path, "r", errors="replace") as f:
            map_text = f.read()
        pe, image_base, width, directories, sections = read_headers(data)
        rva = symbol_address(map_text) - image_base
        at = file_offset(sections, rva)
        size = struct.unpack_from("<I", data, at)[0]
        file_offset(sections, rva + size - 1)
        wanted = {LOAD_CONFIG: (rva, size)}
        delay = delay_import_table(data, sections, image_base, width, directories, map_text)
        if delay:
            wanted[DELAY_IMPORT] = delay
    except (OSError, ValueError, struct.error) as e:
        print("%s: cannot enter the image's tables: %s" % (image_path, e))
        return 1
    changed = False
    for index, entry_value in wanted.items():
        entry = directories + 8 * index
        if struct.unpack_from("<II", data, entry) != entry_value:
            struct.pack_into("<II", data, entry, *entry_value)
            changed = True
    if changed:
        struct.pack_into("<I", data, pe + 24 + 64, image_checksum(data, pe + 24 + 64))
        with open(image_path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
