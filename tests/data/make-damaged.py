#!/usr/bin/env python3
"""Makes the damaged help files of this folder from a built lumaKvex.chm.

    tests/data/make-damaged.py build/lumaKvex.chm CONTROLDATA RESETTABLE CONTENT

The three numbers are the offsets, within the uncompressed section, of the system files
::DataSpace/Storage/MSCompressed/ControlData, .../ResetTable and .../Content, as a CHM
lister shows them. The copies here were made from a build of the help pages before they
had pictures (offsets 4436 4510 4566), which keeps them small; they are kept in the
repository, so the script only matters when they are to be made anew.
"""
import struct
import sys
from pathlib import Path

source = Path(sys.argv[1]).read_bytes()
here = Path(__file__).resolve().parent


def write(name, data):
    (here / name).write_bytes(bytes(data))


def patched(offset, raw):
    data = bytearray(source)
    data[offset:offset + len(raw)] = raw
    return data


def flipped(start, end, step):
    data = bytearray(source)
    for i in range(start, min(end, len(data)), step):
        data[i] ^= 0x10
    return data


itsp = struct.unpack_from('<Q', source, 0x48)[0]          # directory offset
itsp_length = struct.unpack_from('<I', source, itsp + 8)[0]
section0 = struct.unpack_from('<Q', source, 0x58)[0]
assert source[itsp:itsp + 4] == b'ITSP'
control_data, reset_table, content = (section0 + int(a) for a in sys.argv[2:5])

write('empty.chm', b'')
write('header-only.chm', source[:0x38])
write('truncated-half.chm', source[:len(source) // 2])
write('truncated-end.chm', source[:len(source) - 1000])
write('signature-flipped.chm', patched(0, b'ITSG'))
write('directory-offset-absurd.chm', patched(0x48, struct.pack('<Q', 0x7FFFFFFFFFFF)))
write('chunk-count-absurd.chm', patched(itsp + 0x2C, struct.pack('<I', 0x7FFFFFFF)))
write('chunk-size-absurd.chm', patched(itsp + 0x10, struct.pack('<I', 0xFFFFFFF0)))
write('directory-bitflips.chm', flipped(itsp + itsp_length, itsp + itsp_length + 4096, 61))
write('window-size-absurd.chm', patched(control_data + 16, struct.pack('<I', 0xFFFFFFFF)))
# Reset table: entry count and uncompressed length far beyond the file.
reset = patched(reset_table + 4, struct.pack('<I', 0xFFFFFFFF))
reset[reset_table + 16:reset_table + 24] = struct.pack('<Q', 0x7FFFFFFFFFFFFFFF)
write('reset-table-absurd.chm', reset)
write('content-bitflips.chm', flipped(content + 16, content + 7000, 97))
