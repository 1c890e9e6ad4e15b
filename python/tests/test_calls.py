"""Attribute reads, writes and calls by name, by-reference arguments, the default member and
iteration, on the test component."""

import unittest
from decimal import Decimal

from fixture import new_object, tavrel


class AttributeTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def test_property_read_gives_the_value(self):
        self.assertEqual(self.obj.Name, "")
        self.assertIsInstance(self.obj.LiveObjects, int)

    def test_property_write(self):
        self.obj.Name = "abc"
        self.assertEqual(self.obj.Name, "abc")
        self.obj.Name = 5  # the property takes a String
        self.assertEqual(self.obj.Name, "5")

    def test_names_ignore_case(self):
        self.obj.name = "x"
        self.assertEqual(self.obj.NAME, "x")

    def test_method_is_a_callable(self):
        echo = self.obj.Echo
        self.assertIsInstance(echo, tavrel.Method)
        self.assertTrue(repr(echo).startswith("<tavrel.Method Echo"))
        self.assertEqual(echo(3), 3)
        self.assertEqual(echo("again"), "again")

    def test_property_with_arguments_is_a_callable(self):
        self.obj[4] = "four"
        self.assertEqual(self.obj.Item(4), "four")

    def test_object_valued_property(self):
        same = self.obj.Self
        self.assertIsInstance(same, tavrel.Dispatch)
        self.assertEqual(same, self.obj)
        self.assertEqual(hash(same), hash(self.obj))
        self.assertIsNot(same, self.obj)

    def test_distinct_objects_differ(self):
        other = new_object()
        self.assertNotEqual(other, self.obj)
        self.assertNotEqual(self.obj, "not an object")

    def test_object_created_inside_the_module(self):
        inner = self.obj.CreateObject("Tavrel.TestObject")
        self.assertEqual(tavrel.TypeName(inner), "_TestObject")
        inner.Name = "inner"
        self.assertEqual(inner.Name, "inner")
        self.assertEqual(self.obj.Name, "")

    def test_dispatch_of_a_dispatch_is_the_same_object(self):
        self.assertEqual(tavrel.Dispatch(self.obj), self.obj)
        with self.assertRaises(TypeError):
            tavrel.Dispatch(42)

    def test_python_special_names_do_not_reach_the_object(self):
        self.assertFalse(hasattr(self.obj, "__len__"))
        with self.assertRaises(AttributeError):
            self.obj.__deepcopy__
        with self.assertRaises(AttributeError):
            self.obj.__custom__ = 1


class ArgumentTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def test_optional_arguments(self):
        self.assertEqual(self.obj.Optional("a"), "A=a;B=10;C=missing")
        self.assertEqual(self.obj.Optional("a", 2), "A=a;B=2;C=missing")
        self.assertEqual(self.obj.Optional("a", tavrel.Missing, 3), "A=a;B=10;C=3")
        self.assertEqual(self.obj.Optional(1, 2, 3), "A=1;B=2;C=3")

    def test_by_reference_changes_the_box(self):
        cases = [(21, 42), (2.5, 5.0), ("ab", "abab"), (True, False), (False, True), (None, "changed"),
                 (tavrel.Null, "changed"), (Decimal("1.5"), Decimal("3.0")), ([1], "changed"),
                 (tavrel.Variant(tavrel.VT_I2, 7), 14), (tavrel.Variant(tavrel.VT_CY, 2), Decimal(4))]
        for before, after in cases:
            with self.subTest(before=before):
                box = tavrel.Ref(before)
                self.assertIsNone(self.obj.Twice(box))
                self.assertEqual(box.value, after)
                self.assertIs(type(box.value), type(after))

    def test_by_reference_box_is_reusable(self):
        box = tavrel.Ref(3)
        self.obj.Twice(box)
        self.obj.Twice(box)
        self.assertEqual(box.value, 12)
        box.value = "z"
        self.obj.Twice(box)
        self.assertEqual(repr(box), "tavrel.Ref('zz')")

    def test_plain_argument_is_not_changed(self):
        value = 21
        self.obj.Twice(value)
        self.assertEqual(value, 21)

    def test_failed_call_leaves_the_box(self):
        box = tavrel.Ref(tavrel.Variant(tavrel.VT_I2, 20000))
        with self.assertRaises(tavrel.com_error) as raised:
            self.obj.Twice(box)
        self.assertEqual(raised.exception.number, 6)
        self.assertEqual(box.value, tavrel.Variant(tavrel.VT_I2, 20000))

    def test_ref_only_at_the_top_of_an_argument(self):
        with self.assertRaises(TypeError):
            self.obj.Echo([tavrel.Ref(1)])
        with self.assertRaises(TypeError):
            tavrel.TypeName(tavrel.Ref(1))


class DefaultMemberTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def test_index_read_write_and_call(self):
        self.obj[0] = "first"
        self.obj[9] = 9.5
        self.assertEqual(self.obj[0], "first")
        self.assertEqual(self.obj(9), 9.5)
        self.assertIsNone(self.obj[5])

    def test_object_stored_by_reference(self):
        other = new_object()
        self.obj[1] = other
        self.assertEqual(self.obj[1], other)
        other.Name = "seen through the slot"
        self.assertEqual(self.obj[1].Name, "seen through the slot")

    def test_index_out_of_range_raises_the_objects_error(self):
        for index in (-1, 10):
            with self.subTest(index=index):
                with self.assertRaises(tavrel.com_error) as raised:
                    self.obj[index]
                self.assertEqual(raised.exception.number, 9)
                self.assertEqual(raised.exception.source, "Tavrel.TestObject->Item")
        with self.assertRaises(tavrel.com_error):
            self.obj[10] = 1

    def test_index_given_as_another_type(self):
        self.obj[2] = "two"
        self.assertEqual(self.obj["2"], "two")
        self.assertEqual(self.obj[2.4], "two")

    def test_iteration_over_new_enum(self):
        for i in range(10):
            self.obj[i] = i * i
        self.assertEqual(list(self.obj), [i * i for i in range(10)])
        iterator = iter(self.obj)
        self.assertIs(iter(iterator), iterator)
        self.assertEqual(next(iterator), 0)
        self.assertEqual(sum(1 for _ in iterator), 9)
        with self.assertRaises(StopIteration):
            next(iterator)

    def test_iteration_takes_a_snapshot(self):
        iterator = iter(self.obj)
        self.obj[0] = "later"
        self.assertIsNone(next(iterator))


class InvokeTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def test_invoke_by_name_and_dispid(self):
        self.assertEqual(tavrel.Invoke(self.obj, "Echo", tavrel.DISPATCH_METHOD, 8), 8)
        tavrel.Invoke(self.obj, "Name", tavrel.DISPATCH_PROPERTYPUT, "named")
        self.assertEqual(tavrel.Invoke(self.obj, "Name", tavrel.DISPATCH_PROPERTYGET), "named")
        tavrel.Invoke(self.obj, tavrel.DISPID_VALUE, tavrel.DISPATCH_PROPERTYPUT, 3, "three")
        self.assertEqual(self.obj[3], "three")

    def test_invoke_with_a_kind_the_member_lacks(self):
        with self.assertRaises(tavrel.com_error) as raised:
            tavrel.Invoke(self.obj, "Echo", tavrel.DISPATCH_PROPERTYGET, 1)
        self.assertEqual(raised.exception.number, 438)

    def test_put_needs_a_value(self):
        with self.assertRaises(TypeError):
            tavrel.Invoke(self.obj, "Name", tavrel.DISPATCH_PROPERTYPUT)


if __name__ == "__main__":
    unittest.main()
