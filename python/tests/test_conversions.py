"""Python values to Variants and back, seen from the object: EchoType names the type the object
received, Echo sends the value back."""

import datetime
import unittest
from decimal import Decimal

from fixture import new_object, tavrel


class ConversionTestCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.obj = new_object()

    @classmethod
    def tearDownClass(cls):
        del cls.obj

    def assertCrosses(self, value, type_name, back=None):
        """value reaches the object as type_name and comes back as back (default: value)."""
        expected = value if back is None else back
        self.assertEqual(self.obj.EchoType(value), type_name)
        echoed = self.obj.Echo(value)
        self.assertEqual(echoed, expected)
        self.assertIs(type(echoed), type(expected))
        return echoed


class ScalarTest(ConversionTestCase):
    def test_none_is_empty(self):
        self.assertEqual(self.obj.EchoType(None), "Empty")
        self.assertIsNone(self.obj.Echo(None))

    def test_null_singleton(self):
        self.assertEqual(self.obj.EchoType(tavrel.Null), "Null")
        self.assertIs(self.obj.Echo(tavrel.Null), tavrel.Null)
        self.assertEqual(repr(tavrel.Null), "tavrel.Null")
        self.assertFalse(tavrel.Null)

    def test_bool_is_boolean(self):
        self.assertCrosses(True, "Boolean")
        self.assertCrosses(False, "Boolean")

    def test_int_is_long_within_32_bits(self):
        for value in (0, 1, -1, 2**31 - 1, -2**31):
            with self.subTest(value=value):
                self.assertCrosses(value, "Long")

    def test_int_beyond_32_bits_is_double(self):
        self.assertCrosses(2**31, "Double", float(2**31))
        self.assertCrosses(-2**31 - 1, "Double", float(-2**31 - 1))
        self.assertCrosses(2**60, "Double", float(2**60))

    def test_int_beyond_double_range_raises_overflow(self):
        with self.assertRaises(OverflowError):
            self.obj.Echo(10**400)

    def test_float_is_double(self):
        for value in (0.0, -2.5, 1e300, 5e-324, float("inf")):
            with self.subTest(value=value):
                self.assertCrosses(value, "Double")

    def test_str_is_string(self):
        for value in ("", "abc", "a\0b", "\ufeffbom", "\u00e9\u4e2d", "\U0001F600"):
            with self.subTest(value=value):
                self.assertCrosses(value, "String")

    def test_lone_surrogates_survive(self):
        for value in ("\ud800", "x\udc80y", "\udfff\ud800"):
            with self.subTest(value=ascii(value)):
                self.assertCrosses(value, "String")

    def test_decimal_is_decimal(self):
        for value in (Decimal("1.25"), Decimal("-0.5"), Decimal("0"), Decimal("79228162514264337593543950335"),
                      Decimal("0.0000000000000000000000000001"), Decimal("12E+3")):
            with self.subTest(value=value):
                self.assertCrosses(value, "Decimal")

    def test_decimal_keeps_at_most_28_places_rounding_half_even(self):
        self.assertEqual(self.obj.Echo(Decimal("0." + "0" * 27 + "25")), Decimal("0." + "0" * 27 + "2"))
        self.assertEqual(self.obj.Echo(Decimal("0." + "0" * 27 + "35")), Decimal("0." + "0" * 27 + "4"))

    def test_decimal_loses_places_that_do_not_fit_96_bits(self):
        self.assertEqual(self.obj.Echo(Decimal("7922816251426433759354395032.56")),
                         Decimal("7922816251426433759354395032.6"))
        # One place would make the coefficient 2**96: none is left.
        self.assertEqual(self.obj.Echo(Decimal("7922816251426433759354395033.56")),
                         Decimal("7922816251426433759354395034"))

    def test_decimal_out_of_range_raises(self):
        with self.assertRaises(OverflowError):
            self.obj.Echo(Decimal("79228162514264337593543950335.5"))
        with self.assertRaises(OverflowError):
            self.obj.Echo(Decimal("1E+29"))
        with self.assertRaises(ValueError):
            self.obj.Echo(Decimal("NaN"))

    def test_datetime_is_date(self):
        for value in (datetime.datetime(2020, 1, 2, 3, 4, 5, 600000), datetime.datetime(1899, 12, 30),
                      datetime.datetime(1899, 12, 29, 6, 0), datetime.datetime(100, 1, 1),
                      datetime.datetime(9999, 12, 31, 23, 59, 59)):
            with self.subTest(value=value):
                self.assertCrosses(value, "Date")

    def test_date_is_midnight(self):
        self.assertCrosses(datetime.date(2001, 2, 3), "Date", datetime.datetime(2001, 2, 3))

    def test_time_zone_is_dropped(self):
        aware = datetime.datetime(2020, 5, 6, 7, 8, tzinfo=datetime.timezone(datetime.timedelta(hours=5)))
        self.assertEqual(self.obj.Echo(aware), datetime.datetime(2020, 5, 6, 7, 8))

    def test_date_numbers_follow_the_day_and_time_rule(self):
        # Days from 1899-12-30; the fraction is the time of day whatever the sign.
        self.assertEqual(tavrel.Variant(tavrel.VT_DATE, 1.5).value, datetime.datetime(1899, 12, 31, 12))
        self.assertEqual(tavrel.Variant(tavrel.VT_DATE, -1.25).value, datetime.datetime(1899, 12, 29, 6))
        self.assertEqual(tavrel.Variant(tavrel.VT_DATE, -0.25).value, datetime.datetime(1899, 12, 30, 6))
        self.assertEqual(tavrel.Variant(tavrel.VT_R8, datetime.datetime(1899, 12, 29, 6)).value, -1.25)

    def test_date_keeps_microseconds_as_far_as_its_precision_goes(self):
        self.assertEqual(self.obj.Echo(datetime.datetime(2024, 2, 29, 23, 59, 59, 999999)),
                         datetime.datetime(2024, 2, 29, 23, 59, 59, 999999))
        # Near the year 9999 a Date holds about 40 us: times come back to 100 us.
        self.assertEqual(self.obj.Echo(datetime.datetime(9999, 12, 31, 23, 59, 59, 123400)),
                         datetime.datetime(9999, 12, 31, 23, 59, 59, 123400))
        late = self.obj.Echo(datetime.datetime(9999, 12, 31, 23, 59, 59, 123456))
        self.assertEqual(late.microsecond % 100, 0)
        self.assertLessEqual(abs(late.microsecond - 123456), 100)

    def test_datetime_before_the_year_100_raises(self):
        with self.assertRaises(OverflowError):
            self.obj.Echo(datetime.datetime(99, 12, 31, 23, 59))

    def test_number_beyond_the_date_range_is_refused(self):
        with self.assertRaises(tavrel.com_error) as raised:
            tavrel.Variant(tavrel.VT_DATE, 1e12)
        self.assertEqual(raised.exception.number, 6)

    def test_unconvertible_values_raise_type_error(self):
        for value in (object(), {1: 2}, {1}, 1j, range(3)):
            with self.subTest(value=value):
                with self.assertRaises(TypeError):
                    self.obj.Echo(value)


class ArrayTest(ConversionTestCase):
    def test_bytes_is_byte_array(self):
        self.assertCrosses(b"\x00\x01\xfe\xff", "Byte()")
        self.assertCrosses(b"", "Byte()")
        self.assertCrosses(bytearray(b"xyz"), "Byte()", b"xyz")

    def test_list_and_tuple_are_variant_arrays(self):
        self.assertCrosses([1, "a", None, 2.5, True], "Variant()", (1, "a", None, 2.5, True))
        self.assertCrosses((tavrel.Null, b"ab"), "Variant()", (tavrel.Null, b"ab"))
        self.assertCrosses([], "Variant()", ())

    def test_nested_lists_are_arrays_inside_arrays(self):
        self.assertCrosses([[1, 2], [3, [4]]], "Variant()", ((1, 2), (3, (4,))))

    def test_self_containing_list_raises(self):
        loop = []
        loop.append(loop)
        with self.assertRaises(RecursionError):
            self.obj.Echo(loop)

    def test_typed_arrays(self):
        cases = [
            (tavrel.VT_I2, [1, -2, 3], "Integer()", (1, -2, 3)),
            (tavrel.VT_I4, (7,), "Long()", (7,)),
            (tavrel.VT_BSTR, ["a", 5], "String()", ("a", "5")),
            (tavrel.VT_R8, [1, 2.5], "Double()", (1.0, 2.5)),
            (tavrel.VT_BOOL, [True, 0], "Boolean()", (True, False)),
            (tavrel.VT_UI1, [1, 255], "Byte()", b"\x01\xff"),
            (tavrel.VT_CY, [Decimal("1.5")], "Currency()", (Decimal("1.5"),)),
            (tavrel.VT_DECIMAL, [Decimal("2.25")], "Decimal()", (Decimal("2.25"),)),
            (tavrel.VT_DATE, [datetime.datetime(2000, 1, 1)], "Date()", (datetime.datetime(2000, 1, 1),)),
            (tavrel.VT_VARIANT, [1, "x"], "Variant()", (1, "x")),
        ]
        for vt, value, name, back in cases:
            with self.subTest(name=name):
                self.assertCrosses(tavrel.Variant(tavrel.VT_ARRAY | vt, value), name, back)

    def test_array_of_objects(self):
        other = new_object()
        array = tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_DISPATCH, [other, None])
        self.assertEqual(self.obj.EchoType(array), "Object()")
        self.assertEqual(self.obj.Echo(array), (other, None))

    def test_multi_dimensional_arrays_come_back_nested(self):
        grid = [[1, 2, 3], [4, 5, 6]]
        self.assertCrosses(tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_I4, grid), "Long()", ((1, 2, 3), (4, 5, 6)))
        cube = [[[1, 2], [3, 4]], [[5, 6], [7, 8]], [[9, 10], [11, 12]]]
        echoed = self.obj.Echo(tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_VARIANT, cube))
        self.assertEqual(echoed, tuple(tuple(tuple(row) for row in plane) for plane in cube))
        self.assertEqual(self.obj.Echo(tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_UI1, [[1, 2], [3, 4]])),
                         ((1, 2), (3, 4)))
        self.assertEqual(self.obj.Echo(tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_I4, [[], []])), ((), ()))

    def test_ragged_lists_do_not_make_a_multi_dimensional_array(self):
        with self.assertRaises(ValueError):
            tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_I4, [[1, 2], [3]])
        with self.assertRaises(ValueError):
            tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_I4, [[1, 2], 3])

    def test_array_from_a_non_sequence_raises(self):
        with self.assertRaises(TypeError):
            tavrel.Variant(tavrel.VT_ARRAY | tavrel.VT_I4, 5)


class ExplicitTypeTest(ConversionTestCase):
    def test_integer_kinds_come_back_as_int(self):
        cases = [
            (tavrel.VT_I2, -32768, "Integer"), (tavrel.VT_UI1, 255, "Byte"), (tavrel.VT_I1, -128, "SByte"),
            (tavrel.VT_UI2, 65535, "UInteger"), (tavrel.VT_UI4, 2**32 - 1, "ULong"),
            (tavrel.VT_I8, -2**63, "LongLong"), (tavrel.VT_I8, 2**62 + 1, "LongLong"),
            (tavrel.VT_UI8, 2**64 - 1, "ULongLong"), (tavrel.VT_INT, -5, "Long"), (tavrel.VT_UINT, 7, "ULong"),
        ]
        for vt, value, name in cases:
            with self.subTest(name=name, value=value):
                self.assertCrosses(tavrel.Variant(vt, value), name, value)

    def test_single_comes_back_as_float(self):
        self.assertCrosses(tavrel.Variant(tavrel.VT_R4, 1.5), "Single", 1.5)
        self.assertAlmostEqual(self.obj.Echo(tavrel.Variant(tavrel.VT_R4, 0.1)), 0.1, places=7)

    def test_currency_comes_back_as_decimal(self):
        self.assertCrosses(tavrel.Variant(tavrel.VT_CY, Decimal("1.23456")), "Currency", Decimal("1.2346"))
        self.assertCrosses(tavrel.Variant(tavrel.VT_CY, 922337203685477), "Currency", Decimal("922337203685477"))
        self.assertCrosses(tavrel.Variant(tavrel.VT_CY, -0.00005), "Currency", Decimal("0"))

    def test_values_convert_by_the_automation_rules(self):
        self.assertEqual(tavrel.Variant(tavrel.VT_I2, 2.5).value, 2)
        self.assertEqual(tavrel.Variant(tavrel.VT_I2, 3.5).value, 4)
        self.assertEqual(tavrel.Variant(tavrel.VT_I4, "42").value, 42)
        self.assertEqual(tavrel.Variant(tavrel.VT_BSTR, 5).value, "5")
        self.assertEqual(tavrel.Variant(tavrel.VT_BOOL, 3).value, True)
        self.assertEqual(tavrel.Variant(tavrel.VT_I4, True).value, -1)
        self.assertEqual(tavrel.Variant(tavrel.VT_DECIMAL, 10**28).value, Decimal(10**28))

    def test_variant_keeps_its_type_and_value(self):
        v = tavrel.Variant(tavrel.VT_I2, 7)
        self.assertEqual((v.vt, v.value), (tavrel.VT_I2, 7))
        self.assertEqual(repr(v), "tavrel.Variant(tavrel.VT_I2, 7)")
        self.assertEqual(v, tavrel.Variant(tavrel.VT_I2, 7))
        self.assertNotEqual(v, tavrel.Variant(tavrel.VT_I4, 7))
        self.assertNotEqual(v, 7)
        self.assertEqual(tavrel.Variant(tavrel.VT_I4, v).vt, tavrel.VT_I4)

    def test_empty_null_and_nothing(self):
        self.assertEqual(self.obj.EchoType(tavrel.Variant(tavrel.VT_EMPTY)), "Empty")
        self.assertIs(self.obj.Echo(tavrel.Variant(tavrel.VT_NULL)), tavrel.Null)
        self.assertEqual(self.obj.EchoType(tavrel.Variant(tavrel.VT_DISPATCH, None)), "Nothing")
        self.assertIsNone(self.obj.Echo(tavrel.Variant(tavrel.VT_DISPATCH, None)))

    def test_error_values_come_back_as_error_variants(self):
        five = tavrel.Variant(tavrel.VT_ERROR, 5)
        self.assertCrosses(five, "Error")
        self.assertEqual(five.value, 5)
        self.assertEqual(tavrel.Variant(tavrel.VT_ERROR, -2147352572).value, 0x80020004)
        self.assertEqual(tavrel.Missing, tavrel.Variant(tavrel.VT_ERROR, 0x80020004))

    def test_refused_conversions_raise_com_error(self):
        cases = [(tavrel.VT_I2, 70000, 6), (tavrel.VT_UI1, -1, 6), (tavrel.VT_I4, "abc", 13),
                 (tavrel.VT_I8, 2**63, 6), (tavrel.VT_UI8, -1, 6), (tavrel.VT_ERROR, 2**32, 6),
                 (tavrel.VT_CY, 2**60, 6)]
        for vt, value, number in cases:
            with self.subTest(vt=vt, value=value):
                with self.assertRaises(tavrel.com_error) as raised:
                    tavrel.Variant(vt, value)
                self.assertEqual(raised.exception.number, number)

    def test_unusable_types_raise(self):
        with self.assertRaises(ValueError):
            tavrel.Variant(0x999, 1)
        with self.assertRaises(ValueError):
            tavrel.Variant(tavrel.VT_BYREF | tavrel.VT_I4, 1)
        with self.assertRaises(TypeError):
            tavrel.Variant(tavrel.VT_EMPTY, 5)
        with self.assertRaises(TypeError):
            tavrel.Variant(tavrel.VT_DISPATCH, 5)


class TypeNameTest(unittest.TestCase):
    def test_names_of_python_values(self):
        cases = [(None, "Empty"), (tavrel.Null, "Null"), (True, "Boolean"), (1, "Long"), (2**40, "Double"),
                 (1.0, "Double"), ("s", "String"), (b"b", "Byte()"), ([1], "Variant()"),
                 (Decimal("1"), "Decimal"), (datetime.datetime(2000, 1, 1), "Date"),
                 (tavrel.Variant(tavrel.VT_I2, 1), "Integer"), (tavrel.Variant(tavrel.VT_CY, 1), "Currency")]
        for value, name in cases:
            with self.subTest(value=value):
                self.assertEqual(tavrel.TypeName(value), name)

    def test_object_reports_its_own_name(self):
        self.assertEqual(tavrel.TypeName(new_object()), "_TestObject")


if __name__ == "__main__":
    unittest.main()
