"""The class "Tavrel.Dictionary" of the module mossel called late-bound from Python, its compound
files read by olefile and read from a file written by hand, and ParseParameters of
"Tavrel.Strings2". Run through CTest, which passes MOSSEL_MODULE, QUILLON_MODULE, TAVREL_REGSVR
and the module tavrel on PYTHONPATH; the modules go into a registry store of this run's own."""

import atexit
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import olefile

FOLDER = tempfile.mkdtemp(prefix="tavrel-dictionary-")
atexit.register(shutil.rmtree, FOLDER, ignore_errors=True)
os.environ["TAVREL_REGISTRY"] = os.path.join(FOLDER, "registry.db")
for module in ("MOSSEL_MODULE", "QUILLON_MODULE"):
    subprocess.run([os.environ["TAVREL_REGSVR"], os.environ[module]], check=True, stdout=subprocess.DEVNULL)

import tavrel  # noqa: E402  (after the registry is in place)

ONE_ITEM = bytes.fromhex("01000000 0800 04000000 61000000 0200 0100")
DISP_E_BADINDEX = 0x8002000B


def compound_file(stream):
    """A compound file (version 3) whose root holds one stream "Tavrel" of at least 4096 bytes,
    laid out as sectors: 0 the allocation table, 1 the directory, then the stream's data."""
    assert len(stream) >= 4096
    sectors = (len(stream) + 511) // 512
    end, free = 0xFFFFFFFE, 0xFFFFFFFF
    header = struct.pack("<8s16sHHHHH6sIIIIIIIII", bytes.fromhex("D0CF11E0A1B11AE1"), b"", 0x3E, 3, 0xFFFE, 9, 6,
                         b"", 0, 1, 1, 0, 4096, end, 0, end, 0)
    header += struct.pack("<109I", 0, *[free] * 108)
    fat = [0xFFFFFFFD, end] + [3 + i for i in range(sectors - 1)] + [end]
    fat += [free] * (128 - len(fat))

    def entry(name, kind, child, start, size):
        encoded = name.encode("utf-16-le") + b"\0\0" if name else b""
        return struct.pack("<64sHBBIII16sIQQIII", encoded, len(encoded), kind, 1, free, free, child, b"", 0, 0, 0,
                           start, size, 0)

    directory = entry("Root Entry", 5, 1, end, 0) + entry("Tavrel", 2, free, 2, len(stream))
    directory += entry("", 0, free, 0, 0) * 2
    return header + struct.pack("<128I", *fat) + directory + stream.ljust(sectors * 512, b"\0")


class DictionaryTest(unittest.TestCase):
    def setUp(self):
        self.d = tavrel.Dispatch("Tavrel.Dictionary")

    def test_items_late_bound(self):
        self.d.Add("a", 1)
        self.d["b"] = "two"
        self.d.Color = "red"
        self.assertEqual(self.d.Item("color"), "red")
        self.assertEqual(self.d("A"), 1)
        self.assertEqual(self.d.Count, 3)
        self.assertEqual(list(self.d), [1, "two", "red"])
        self.assertIsNone(self.d["absent"])
        self.assertTrue(hasattr(self.d, "Anything"))  # unknown names are items
        for call in (lambda: self.d.Item(4), lambda: self.d.Name("absent"), lambda: self.d[2.0]):
            with self.assertRaises(tavrel.com_error) as raised:
                call()
            self.assertEqual(raised.exception.hresult, DISP_E_BADINDEX)

    def test_marshalled_bytes_and_nesting(self):
        self.d.Add("a", tavrel.Variant(2, 1))
        self.assertEqual(self.d.MarshallDictionary(), ONE_ITEM)
        sub = tavrel.Dispatch("Tavrel.Dictionary")
        sub.Add("deep", 2.5)
        self.d["sub"] = sub
        copy = tavrel.Dispatch("Tavrel.Dictionary")
        copy.UnmarshallDictionary(self.d.MarshallDictionary())
        self.assertEqual(copy("sub")("deep"), 2.5)
        self.assertNotEqual(copy("sub"), sub)

    def test_compound_files_with_other_readers_and_writers(self):
        path = os.path.join(FOLDER, "written.stg")
        self.d.Add("a", tavrel.Variant(2, 1))
        self.d.MarshallDictionaryToStream(path)
        with olefile.OleFileIO(path) as ole:
            self.assertEqual(ole.listdir(), [["Tavrel"]])
            self.assertEqual(ole.openstream("Tavrel").read(), ONE_ITEM)

        big = tavrel.Dispatch("Tavrel.Dictionary")
        big.Add("k" * 3000, "v")
        path = os.path.join(FOLDER, "by_hand.stg")
        with open(path, "wb") as file:
            file.write(compound_file(big.MarshallDictionary()))
        self.d.UnmarshallDictionaryFromStream(path)
        self.assertEqual((self.d.Count, self.d.Name(1)), (1, "k" * 3000))

    def test_damaged_compound_files_are_refused_quietly(self):
        """libgsf's complaints stay off the host's standard error, even where G_DEBUG makes them fatal."""
        whole = compound_file(bytes(5000))
        fat_past_end = whole[:512 + 12] + struct.pack("<I", 500) + whole[512 + 16:]
        for name, damaged in (("truncated", whole[:512 * 5]), ("fat_past_end", fat_past_end)):
            path = os.path.join(FOLDER, name + ".stg")
            with open(path, "wb") as file:
                file.write(damaged)
            host = ("import tavrel\ntry:\n    tavrel.Dispatch('Tavrel.Dictionary').UnmarshallDictionaryFromStream(%r)\n"
                    "except tavrel.com_error as error:\n    print(hex(error.hresult & 0xFFFFFFFF))" % path)
            run = subprocess.run([sys.executable, "-c", host], env=dict(os.environ, G_DEBUG="fatal-warnings"),
                                 capture_output=True, text=True)
            self.assertEqual((run.returncode, run.stderr), (0, ""), name)
            self.assertTrue(run.stdout.startswith("0x8003"), name)  # a structured-storage error

    def test_parse_parameters(self):
        parsed = tavrel.Dispatch("Tavrel.Strings2").ParseParameters('/in=a.txt /out="my file.htm" -q')
        self.assertEqual([parsed.Name(i) for i in (1, 2, 3)], ["in", "out", "q"])
        self.assertEqual((parsed("OUT"), parsed("q")), ("my file.htm", ""))
        self.assertEqual(tavrel.Dispatch("Tavrel.Strings2").ParseParameters("").Count, 0)


if __name__ == "__main__":
    unittest.main()
