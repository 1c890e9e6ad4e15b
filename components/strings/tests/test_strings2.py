"""The class "Tavrel.Strings2" of the module quillon, created by its ProgID and called late-bound
from Python. Run through CTest, which passes QUILLON_MODULE, TAVREL_REGSVR and the module tavrel
on PYTHONPATH; the module is registered into a registry store of this run's own."""

import atexit
import os
import shutil
import subprocess
import tempfile
import unittest

PROG_ID = "Tavrel.Strings2"
SOURCE = "Tavrel.Strings2->"


def _required(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set; run this test through CTest")
    return value


def regsvr(*options):
    """Runs the registration tool on quillon in the current registry."""
    subprocess.run([_required("TAVREL_REGSVR"), *options, _required("QUILLON_MODULE")],
                   check=True, stdout=subprocess.DEVNULL)


def new_registry():
    folder = tempfile.mkdtemp(prefix="tavrel-strings-")
    atexit.register(shutil.rmtree, folder, ignore_errors=True)
    os.environ["TAVREL_REGISTRY"] = os.path.join(folder, "registry.db")


new_registry()
regsvr()

import tavrel  # noqa: E402  (after the registry is in place)


class CodePages:
    """Sets the ANSI and OEM code pages for a block and puts back what was there."""

    def __init__(self, ansi, oem):
        self.wanted = {"TAVREL_ACP": ansi, "TAVREL_OEMCP": oem}

    def __enter__(self):
        self.saved = {name: os.environ.get(name) for name in self.wanted}
        os.environ.update(self.wanted)

    def __exit__(self, *exc):
        for name, value in self.saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value


class StringsTestCase(unittest.TestCase):
    def setUp(self):
        self.s = tavrel.Dispatch(PROG_ID)

    def assertRaisesError(self, number, method, call, *args):
        with self.assertRaises(tavrel.com_error) as raised:
            call(*args)
        error = raised.exception
        self.assertEqual(error.number, number)
        self.assertEqual(error.hresult, 0x800A0000 + number)
        self.assertEqual(error.source, SOURCE + method)
        return error


class EveryMethodTest(StringsTestCase):
    """Each public method once by name, with Python's values as arguments; the edge cases of
    each are the C++ suites' business."""

    def test_type_name(self):
        self.assertEqual(tavrel.TypeName(self.s), "_Strings2")

    def test_text_methods(self):
        self.assertEqual(self.s.TrimZ("abc\0def"), "abc")
        self.assertEqual(self.s.TrimZ(12), "12")
        self.assertEqual(self.s.Encode("a,b", ","), "a,,b")
        self.assertEqual(self.s.Decode("a,,,b", ","), "a,,b")
        self.assertEqual(self.s.EncodeCSV('say "hi"'), 'say ""hi""')
        self.assertEqual(self.s.DecodeCSV('say ""hi""'), 'say "hi"')
        self.assertEqual(self.s.EncodeSQL("O'Brien"), "O''Brien")
        self.assertEqual(self.s.DecodeSQL("O''Brien"), "O'Brien")
        self.assertEqual(self.s.EncodeHex("AB\n"), "41420A")
        self.assertEqual(self.s.DecodeHex("414"), "A")
        self.assertEqual(self.s.RPad("ab", "*", 5), "ab***")
        self.assertEqual(self.s.RPad("ab", 65, 3), "abA")

    def test_array_methods(self):
        self.assertEqual(self.s.StringEncode(["a", "", "b"]), "a\t\tb")
        self.assertEqual(self.s.StringEncode([1, 2.5, True]), "1\t2.5\tTrue")
        self.assertEqual(self.s.StringDecode("a\t\tb"), ("a", "", "b"))
        self.assertEqual(self.s.StringDecode(""), ())
        self.assertEqual(self.s.SplitLine('"say ""hi""",1', ",", '"'), ('say "hi"', "1"))
        self.assertEqual(self.s.SplitLine('"ab"c,d', ",", '"'), ("ab", "", "d"))

    def test_conversion_methods(self):
        self.assertEqual(self.s.StrConvEx("hello world", 3), "Hello World")
        self.assertEqual(self.s.StrConvEx("hello world", 1), "HELLO WORLD")
        self.assertEqual(self.s.StrConvEx("AB", 4, 0x0411), "\uff21\uff22")
        self.assertIs(self.s.StrConvEx(tavrel.Null, 1), tavrel.Null)
        self.assertEqual(self.s.ByteArray2Str(b"AB"), "AB")
        self.assertEqual(self.s.ByteArray2Str(b"A\0B\0", True), "\u4241")
        self.assertEqual(self.s.ByteArray2Str(b""), "")
        self.assertEqual(self.s.Oem2CharBuff("plain text\r\n"), "plain text\r\n")
        self.assertEqual(self.s.Char2OemBuff(""), "")


class CodePageTest(StringsTestCase):
    def test_western_pair(self):
        with CodePages("1252", "850"):
            self.assertEqual(self.s.Oem2CharBuff("\u2018"), "\u00e6")
            self.assertEqual(self.s.Char2OemBuff("\u00e6"), "\u2018")
            self.assertEqual(self.s.EncodeHex("\u00e9\u20ac"), "E980")
            self.assertEqual(self.s.DecodeHex("E980"), "\u00e9\u20ac")
            self.assertEqual(self.s.ByteArray2Str(b"\x80"), "\u20ac")

    def test_source_becomes_its_ansi_round_trip(self):
        with CodePages("1252", "850"):
            source = tavrel.Ref("\u0101\u2018")
            self.assertEqual(self.s.Oem2CharBuff(source), "?\u00e6")
            self.assertEqual(source.value, "?\u2018")
            text = tavrel.Ref(12)
            self.assertEqual(self.s.Encode(text, "1"), "112")
            self.assertEqual(text.value, 12)  # only the OEM methods write back

    def test_utf8_keeps_every_byte(self):
        with CodePages("65001", "437"):
            dos_text = bytes(range(1, 256)).decode("utf-8", "surrogateescape")
            ansi = self.s.Oem2CharBuff(dos_text)
            self.assertEqual(ansi[:3], "\x01\x02\x03")
            self.assertEqual(self.s.Oem2CharBuff("\udc82t\udc82"), "\u00e9t\u00e9")
            back = self.s.Char2OemBuff(ansi)
            self.assertEqual(back.encode("utf-8", "surrogateescape"), bytes(range(1, 256)))
            # Two bytes of one character are two OEM characters: the whole text is translated.
            self.assertEqual(self.s.Oem2CharBuff("x\u00c7y"), "x\u251c\u00e7y")


class ErrorTest(StringsTestCase):
    def test_null_is_invalid_use_of_null(self):
        for method, args in (("Encode", (tavrel.Null, ",")), ("Decode", ("a", tavrel.Null)),
                             ("StringDecode", (tavrel.Null,)), ("RPad", ("a", tavrel.Null, 3)),
                             ("StrConvEx", ("a", tavrel.Null))):
            with self.subTest(method=method):
                error = self.assertRaisesError(94, method, getattr(self.s, method), *args)
                self.assertEqual(error.description, "Invalid use of Null")

    def test_values_that_are_not_text(self):
        error = self.assertRaisesError(13, "Encode", self.s.Encode, [1, 2], ",")
        self.assertEqual(error.description, "Type mismatch")
        self.assertRaisesError(13, "TrimZ", self.s.TrimZ, tavrel.Null)
        self.assertRaisesError(13, "StringEncode", self.s.StringEncode, "no array")
        self.assertRaisesError(13, "StrConvEx", self.s.StrConvEx, "a", "upper")
        self.assertRaisesError(13, "Encode", self.s.Encode, self.s, ",")  # no default value

    def test_invalid_arguments(self):
        error = self.assertRaisesError(5, "RPad", self.s.RPad, "ab", "", 5)
        self.assertEqual(error.description, "Invalid procedure call or argument")
        for conversion in (0, 4 + 8, 16 + 32, 64 + 128, 256):
            with self.subTest(conversion=conversion):
                self.assertRaisesError(5, "StrConvEx", self.s.StrConvEx, "a", conversion)
        self.assertRaisesError(5, "StrConvEx", self.s.StrConvEx, "a", 1, 0x12345)

    def test_too_many_fields(self):
        self.assertEqual(len(self.s.SplitLine("," * 32767, ",", '"')), 32768)
        error = self.assertRaisesError(6, "SplitLine", self.s.SplitLine, "," * 32768, ",", '"')
        self.assertEqual(error.description, "Overflow")

    def test_wrong_argument_count_and_kind(self):
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.RPad("ab", "*")
        self.assertEqual(raised.exception.number, 450)
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.ByteArray2Str("AB")
        self.assertEqual(raised.exception.number, 13)

    def test_members_not_served(self):
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.EncodeHTML("x")
        self.assertEqual(raised.exception.hresult, 0x80020006)  # DISP_E_UNKNOWNNAME
        self.assertIsInstance(raised.exception, AttributeError)
        self.assertFalse(hasattr(self.s, "Nope"))
        self.assertEqual(getattr(self.s, "Nope", 7), 7)


class RegistrationTest(unittest.TestCase):
    def test_unregistered_class_cannot_be_created(self):
        saved = os.environ["TAVREL_REGISTRY"]
        try:
            new_registry()
            regsvr()
            self.assertEqual(tavrel.Dispatch(PROG_ID).Encode("a'b", "'"), "a''b")
            regsvr("-u")
            with self.assertRaises(tavrel.com_error) as raised:
                tavrel.Dispatch(PROG_ID)
            # The ProgID went with the class: the name is no class string any more.
            self.assertEqual(raised.exception.hresult, 0x800401F3)
            self.assertEqual(raised.exception.description, "Invalid class string")
        finally:
            os.environ["TAVREL_REGISTRY"] = saved
        self.assertEqual(tavrel.Dispatch(PROG_ID).TrimZ("x"), "x")


if __name__ == "__main__":
    unittest.main()
