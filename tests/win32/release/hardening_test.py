"""The shipped Windows programs as built files: the loader's hardening flags are set, the
stack protector is linked in, and the load-configuration directory restricts the programs' own
imports to System32. Read with the flavour's binutils, without running anything.

    hardening_test.py OBJDUMP NM PROGRAM...
"""
import re
import subprocess
import sys
import unittest

DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x40, 0x100, 0x20
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
# Where DependentLoadFlags lies in the load-configuration record, 32- and 64-bit.
DEPENDENT_LOAD_FLAGS_AT = {False: 54, True: 78}


def run(*command: str) -> str:
    return subprocess.run(command, stdout=subprocess.PIPE, text=True, check=True).stdout


class Hardening(unittest.TestCase):
    objdump, nm, programs = sys.argv[1], sys.argv[2], sys.argv[3:]

    def headers(self, program: str):
        text = run(self.objdump, "-p", program)
        wide = "x86-64" in re.search(r"file format (\S+)", text).group(1)
        characteristics = int(re.search(r"DllCharacteristics\s+([0-9a-f]+)", text).group(1), 16)
        image_base = int(re.search(r"ImageBase\s+([0-9a-f]+)", text).group(1), 16)
        entry = re.search(r"Entry a ([0-9a-f]+) ([0-9a-f]+) Load Configuration Directory", text)
        return wide, characteristics, image_base, int(entry.group(1), 16), int(entry.group(2), 16)

    def bytes_at(self, program: str, address: int, count: int) -> bytes:
        dump = run(self.objdump, "-s", "--start-address=0x%x" % address,
                   "--stop-address=0x%x" % (address + count), program)
        data = b""
        for line in dump.splitlines():
            match = re.match(r"^ [0-9a-f]+ ((?:[0-9a-f]{2,8} ?){1,4})", line)
            if match:
                data += bytes.fromhex(match.group(1).replace(" ", ""))
        return data[:count]

    def test_the_loader_randomises_and_protects_both_programs(self):
        for program in self.programs:
            wide, characteristics, _, _, _ = self.headers(program)
            wanted = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if wide else 0)
            self.assertEqual(characteristics & wanted, wanted, program)

    def test_their_own_imports_come_from_system32_alone(self):
        for program in self.programs:
            wide, _, image_base, address, size = self.headers(program)
            self.assertEqual(size, 96 if wide else 64, program)
            record = self.bytes_at(program, image_base + address, size)
            self.assertEqual(int.from_bytes(record[:4], "little"), size, program)
            at = DEPENDENT_LOAD_FLAGS_AT[wide]
            self.assertEqual(int.from_bytes(record[at:at + 2], "little"),
                             LOAD_LIBRARY_SEARCH_SYSTEM32, program)

    def test_the_stack_protector_is_linked_in(self):
        for program in self.programs:
            symbols = run(self.nm, program).split()
            self.assertTrue({"__stack_chk_fail", "___stack_chk_fail"} & set(symbols), program)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
