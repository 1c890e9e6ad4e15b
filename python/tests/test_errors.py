"""Errors of calls and creation arrive as tavrel.com_error with the caller's number, source and
description."""

import unittest

from fixture import PROG_ID, new_object, tavrel


class RaisedErrorTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def test_error_raised_by_the_object(self):
        with self.assertRaises(tavrel.com_error) as raised:
            self.obj.Raise(1234, "Something went wrong")
        error = raised.exception
        self.assertIsInstance(error, Exception)
        self.assertEqual(error.hresult, 0x800A04D2)
        self.assertEqual(error.number, 1234)
        self.assertEqual(error.source, "Tavrel.TestObject->Raise")
        self.assertEqual(error.description, "Something went wrong")
        self.assertEqual(str(error), "0x800A04D2: Something went wrong (Tavrel.TestObject->Raise)")

    def test_description_text_survives(self):
        text = "l\u00ednea 1\r\nline 2 \U0001F600 \udc80"
        with self.assertRaises(tavrel.com_error) as raised:
            self.obj.Raise(5, text)
        self.assertEqual(raised.exception.description, text)

    def test_wrong_argument_count(self):
        for args in ((), (1, 2)):
            with self.subTest(args=args):
                with self.assertRaises(tavrel.com_error) as raised:
                    self.obj.Echo(*args)
                self.assertEqual(raised.exception.number, 450)
                self.assertEqual(raised.exception.description,
                                 "Wrong number of arguments or invalid property assignment")

    def test_required_argument_given_as_missing(self):
        with self.assertRaises(tavrel.com_error) as raised:
            self.obj.Echo(tavrel.Missing)
        self.assertEqual(raised.exception.number, 449)
        self.assertEqual(raised.exception.description, "Argument not optional")

    def test_argument_of_the_wrong_type(self):
        with self.assertRaises(tavrel.com_error) as raised:
            self.obj.Raise("not a number", "x")
        self.assertEqual(raised.exception.number, 13)
        self.assertEqual(raised.exception.hresult, 0x80020005)  # DISP_E_TYPEMISMATCH, as the call returned it

    def test_object_stays_usable_after_an_error(self):
        with self.assertRaises(tavrel.com_error):
            self.obj.Raise(7, "out of memory, pretend")
        self.assertEqual(self.obj.Echo("fine"), "fine")


class UnknownNameTest(unittest.TestCase):
    def setUp(self):
        self.obj = new_object()

    def assertUnknownName(self, action, hresult=0x80020006):
        with self.assertRaises(tavrel.com_error) as raised:
            action()
        # The object answers DISP_E_UNKNOWNNAME (or DISP_E_MEMBERNOTFOUND): the runtime's error
        # 438, with the call's own result.
        self.assertEqual(raised.exception.number, 438)
        self.assertEqual(raised.exception.hresult, hresult)
        self.assertEqual(raised.exception.description, "Object doesn't support this property or method")

    def test_read(self):
        self.assertUnknownName(lambda: self.obj.NoSuchMember)

    def test_write(self):
        def write():
            self.obj.NoSuchMember = 1
        self.assertUnknownName(write)

    def test_names_with_one_underscore_reach_the_object(self):
        self.assertUnknownName(lambda: self.obj._private)

    def test_write_to_a_method(self):
        def write():
            self.obj.Echo = 1
        self.assertUnknownName(write, hresult=0x80020003)

    def test_unknown_name_is_an_attribute_error(self):
        self.assertFalse(hasattr(self.obj, "Missing"))
        self.assertEqual(getattr(self.obj, "Missing", 5), 5)
        with self.assertRaises(AttributeError) as raised:
            self.obj.Missing = 1
        self.assertIsInstance(raised.exception, tavrel.com_error)
        self.assertEqual(raised.exception.hresult, 0x80020006)


class CreationErrorTest(unittest.TestCase):
    def test_unknown_prog_id(self):
        with self.assertRaises(tavrel.com_error) as raised:
            tavrel.Dispatch("No.Such.Class")
        self.assertEqual(raised.exception.hresult, 0x800401F3)
        self.assertEqual(raised.exception.number, 0x800401F3 - 2**32)
        self.assertEqual(raised.exception.description, "Invalid class string")

    def test_unknown_prog_id_inside_the_module(self):
        with self.assertRaises(tavrel.com_error) as raised:
            new_object().CreateObject("No.Such.Class")
        self.assertEqual(raised.exception.hresult, 0x800401F3)

    def test_registered_prog_id_is_found_again(self):
        self.assertEqual(tavrel.TypeName(tavrel.Dispatch(PROG_ID)), "_TestObject")


class MisuseTest(unittest.TestCase):
    def test_objects_made_without_init_are_refused(self):
        for cls, use in ((tavrel.Dispatch, lambda o: o.Name), (tavrel.Dispatch, list),
                         (tavrel.Variant, lambda v: v.value), (tavrel.Ref, lambda r: r.value),
                         (tavrel.Ref, lambda r: new_object().Twice(r)), (tavrel.Variant, tavrel.TypeName)):
            with self.subTest(cls=cls.__name__):
                with self.assertRaises(TypeError):
                    use(cls.__new__(cls))

    def test_helper_classes_have_no_constructor(self):
        for cls in (tavrel.Method, tavrel.Enumerator, tavrel.NullType):
            with self.subTest(cls=cls.__name__):
                with self.assertRaises(TypeError):
                    cls()

    def test_invoke_member_must_be_a_name_or_dispid(self):
        obj = new_object()
        with self.assertRaises(TypeError):
            tavrel.Invoke(obj, 1.5, tavrel.DISPATCH_METHOD)
        with self.assertRaises(OverflowError):
            tavrel.Invoke(obj, 2**40, tavrel.DISPATCH_METHOD)
        with self.assertRaises(TypeError):
            tavrel.Invoke("not an object", "Name", tavrel.DISPATCH_PROPERTYGET)

    def test_too_many_indices(self):
        with self.assertRaises(tavrel.com_error) as raised:
            new_object()[1, 2]
        self.assertEqual(raised.exception.number, 450)


if __name__ == "__main__":
    unittest.main()
