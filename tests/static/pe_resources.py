"""Reads the resources of a Windows PE file (32- or 64-bit), without running
it: {(type, name, language): bytes}, names and types being numbers or text."""

import struct


def read_resources(path):
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError(f"{path} is not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva, resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if not resource_rva:
        return {}
    table = optional + optional_size
    spans = []
    for i in range(sections):
        virtual_size, address, raw_size, raw_at = struct.unpack_from(
            "<IIII", data, table + i * 40 + 8)
        spans.append((address, max(virtual_size, raw_size), raw_at))

    def offset(rva):
        for address, size, raw_at in spans:
            if address <= rva < address + size:
                return raw_at + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    base = offset(resource_rva)

    def name_of(field):
        if field & 0x80000000:
            at = base + (field & 0x7FFFFFFF)
            length = struct.unpack_from("<H", data, at)[0]
            return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return field

    def walk(at, path, found):
        named, numbered = struct.unpack_from("<HH", data, base + at + 12)
        for i in range(named + numbered):
            field, target = struct.unpack_from("<II", data, base + at + 16 + 8 * i)
            key = path + (name_of(field),)
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, key, found)
            else:
                rva, size = struct.unpack_from("<II", data, base + target)
                found[key] = data[offset(rva):offset(rva) + size]
        return found

    return walk(0, (), {})


def icon_images(ico_bytes):
    """The images of an .ico file: [(width, height, colours, bits, bytes)]."""
    count = struct.unpack_from("<HHH", ico_bytes, 0)[2]
    images = []
    for i in range(count):
        width, height, colours, _, _, bits, size, at = struct.unpack_from(
            "<BBBBHHII", ico_bytes, 6 + 16 * i)
        images.append((width or 256, height or 256, colours, bits, ico_bytes[at:at + size]))
    return images
