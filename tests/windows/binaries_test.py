"""Checks of the built Windows files themselves, without running them.

    binaries_test.py --objdump OBJDUMP --program yomiage.exe
                     --engine AquesTalk.dll --engine-without-freewave AquesTalk.dll

The program and the test engines must need nothing beside Windows' own DLLs;
the engines must export the two entry points by their plain names; and on
32-bit Windows each entry point must clear its own arguments from the stack
(__stdcall), as the program expects.
"""

import argparse
import re
import struct
import subprocess
import sys
import unittest
from pathlib import Path

FILES = None
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "winmm.dll"}
# The bytes of arguments each entry point takes: text, speed, code slot;
# the image.
ARGUMENT_BYTES = {"AquesTalk_Synthe": 12, "AquesTalk_FreeWave": 4}


class PeFile:
    def __init__(self, path):
        self.data = Path(path).read_bytes()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        self.machine = struct.unpack_from("<H", self.data, pe + 4)[0]
        sections = struct.unpack_from("<H", self.data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", self.data, pe + 20)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        self.image_base = (struct.unpack_from("<Q", self.data, optional + 24)[0] if magic == 0x20B
                           else struct.unpack_from("<I", self.data, optional + 28)[0])
        directories = optional + (112 if magic == 0x20B else 96)
        self.export_rva = struct.unpack_from("<I", self.data, directories)[0]
        table = optional + optional_size
        self.sections = []
        for index in range(sections):
            at = table + 40 * index
            size, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, at + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"rva {rva:#x} is in no section")

    def exports(self):
        """Exported names and their virtual addresses."""
        if self.export_rva == 0:
            return {}
        at = self.offset(self.export_rva)
        names, functions, name_table, ordinal_table = struct.unpack_from("<IIII", self.data, at + 24)
        result = {}
        for index in range(names):
            name_rva = struct.unpack_from("<I", self.data, self.offset(name_table) + 4 * index)[0]
            start = self.offset(name_rva)
            name = self.data[start:self.data.index(b"\0", start)].decode("ascii")
            ordinal = struct.unpack_from("<H", self.data, self.offset(ordinal_table) + 2 * index)[0]
            rva = struct.unpack_from("<I", self.data, self.offset(functions) + 4 * ordinal)[0]
            result[name] = self.image_base + rva
        return result


def imported_dlls(objdump, path):
    listing = subprocess.run([objdump, "-p", str(path)], capture_output=True, text=True,
                             check=True).stdout
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", listing)}


def returns_of_function(objdump, path, address):
    """The return instructions of the function that starts at the address."""
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", str(path)],
                             capture_output=True, text=True, check=True).stdout
    returns = []
    inside = False
    for line in listing.splitlines():
        label = re.match(r"^([0-9a-f]+) <.*>:$", line)
        if label:
            if inside:
                break
            inside = int(label.group(1), 16) == address
            continue
        if inside and re.search(r"\sret\b", line):
            returns.append(line.split("\t")[-1].strip())
    return returns


class Binaries(unittest.TestCase):
    def test_only_windows_own_dlls_are_needed(self):
        for path in [FILES.program, FILES.engine, FILES.engine_without_freewave]:
            with self.subTest(path=path.name):
                dlls = imported_dlls(FILES.objdump, path)
                self.assertIn("kernel32.dll", dlls)
                self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_engines_export_the_plain_names(self):
        rows = [(FILES.engine, {"AquesTalk_Synthe", "AquesTalk_FreeWave"}),
                (FILES.engine_without_freewave, {"AquesTalk_Synthe"})]
        for path, names in rows:
            with self.subTest(path=str(path)):
                self.assertEqual(set(PeFile(path).exports()), names)

    def test_32_bit_entry_points_clear_their_own_arguments(self):
        engine = PeFile(FILES.engine)
        if engine.machine != 0x014C:
            self.skipTest("64-bit Windows has one calling convention")
        for name, address in engine.exports().items():
            with self.subTest(name=name):
                returns = returns_of_function(FILES.objdump, FILES.engine, address)
                self.assertNotEqual(returns, [])
                self.assertEqual(set(returns), {f"ret    $0x{ARGUMENT_BYTES[name]:x}"})


def main():
    global FILES
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--engine", type=Path, required=True)
    parser.add_argument("--engine-without-freewave", type=Path, required=True)
    FILES, rest = parser.parse_known_args()
    program = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
