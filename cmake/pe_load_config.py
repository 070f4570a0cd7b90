#!/usr/bin/env python3
"""Points a linked Windows program's load-configuration entry at its _load_config_used record.

GNU ld (2.40) links the record but leaves the image's load-configuration directory empty, so
Windows would never read the record's settings. This step, run after every link, finds the
record through the program's COFF symbol table and writes its address and size into that
directory entry. Running it again changes nothing.

    pe_load_config.py PROGRAM.exe
"""
import struct
import sys

LOAD_CONFIG_ENTRY = 10
SECTION_HEADER_SIZE = 40
SYMBOL_SIZE = 18


def sections_of(data, table, count):
    """(virtual address, virtual size, file offset) of every section."""
    found = []
    for index in range(count):
        header = table + index * SECTION_HEADER_SIZE
        size, address, _raw_size, raw_at = struct.unpack_from("<IIII", data, header + 8)
        found.append((address, size, raw_at))
    return found


def symbol_name(data, record, strings):
    if data[record:record + 4] == b"\0\0\0\0":
        at = strings + struct.unpack_from("<I", data, record + 4)[0]
        return bytes(data[at:data.index(b"\0", at)]).decode()
    return bytes(data[record:record + 8]).rstrip(b"\0").decode()


def symbol_address(data, symbols, count, sections, wanted):
    """The relative virtual address of the symbol named WANTED."""
    strings = symbols + count * SYMBOL_SIZE
    index = 0
    while index < count:
        record = symbols + index * SYMBOL_SIZE
        value, section = struct.unpack_from("<Ih", data, record + 8)
        if section > 0 and symbol_name(data, record, strings) == wanted:
            return sections[section - 1][0] + value
        index += 1 + data[record + 17]  # and its auxiliary records
    raise SystemExit("pe_load_config: no %s in the program" % wanted)


def file_offset(sections, address):
    for start, size, raw_at in sections:
        if start <= address < start + size:
            return raw_at + address - start
    raise SystemExit("pe_load_config: address 0x%x is in no section" % address)


def main(path):
    with open(path, "rb") as handle:
        data = bytearray(handle.read())
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        raise SystemExit("pe_load_config: %s is not a Windows program" % path)
    coff = header + 4
    _machine, section_count, _stamp, symbols, symbol_count, optional_size = \
        struct.unpack_from("<HHIIIH", data, coff)
    optional = coff + 20
    wide = struct.unpack_from("<H", data, optional)[0] == 0x20B  # PE32+
    directories = optional + (112 if wide else 96)
    sections = sections_of(data, optional + optional_size, section_count)
    # 32-bit C names carry a leading underscore.
    name = "_load_config_used" if wide else "__load_config_used"
    address = symbol_address(data, symbols, symbol_count, sections, name)
    size = struct.unpack_from("<I", data, file_offset(sections, address))[0]
    struct.pack_into("<II", data, directories + LOAD_CONFIG_ENTRY * 8, address, size)
    with open(path, "r+b") as handle:
        handle.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
