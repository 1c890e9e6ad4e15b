"""The wrapper holds one reference to its object and gives it back when Python collects it, on
every path: results, arguments, slots, by-reference boxes, errors and iteration."""

import gc
import unittest

from fixture import new_object, tavrel


class LifetimeTest(unittest.TestCase):
    def setUp(self):
        self.counter = new_object()
        gc.collect()
        self.start = self.counter.LiveObjects

    def tearDown(self):
        gc.collect()
        self.assertEqual(self.counter.LiveObjects, self.start, "an object was not released")
        del self.counter

    def live(self):
        gc.collect()
        return self.counter.LiveObjects - self.start

    def test_wrapper_releases_its_object(self):
        obj = new_object()
        self.assertEqual(self.live(), 1)
        del obj
        self.assertEqual(self.live(), 0)

    def test_results_and_arguments(self):
        obj = new_object()
        same = obj.Self
        echoed = self.counter.Echo(obj)
        array = self.counter.Echo([obj, [obj]])
        self.assertEqual(array[1][0], obj)
        del obj
        self.assertEqual(self.live(), 1)
        del same, echoed, array
        self.assertEqual(self.live(), 0)

    def test_method_keeps_its_object(self):
        echo = new_object().Echo
        self.assertEqual(self.live(), 1)
        self.assertEqual(echo(1), 1)
        del echo
        self.assertEqual(self.live(), 0)

    def test_object_in_a_slot(self):
        holder = new_object()
        holder[0] = new_object()
        self.assertEqual(self.live(), 2)
        holder[0] = None
        self.assertEqual(self.live(), 1)
        holder[1] = new_object()
        del holder  # the slot goes with its holder
        self.assertEqual(self.live(), 0)

    def test_iteration_over_objects(self):
        holder = new_object()
        holder[3] = new_object()
        items = list(holder)
        holder[3] = None
        self.assertEqual(self.live(), 2)
        del items
        self.assertEqual(self.live(), 1)

        holder[3] = new_object()
        iterator = iter(holder)
        holder[3] = None
        del holder
        self.assertEqual(self.live(), 1)  # the enumerator's copy of the slots holds it
        items = list(iterator)
        self.assertEqual(tavrel.TypeName(items[3]), "_TestObject")
        del iterator, items
        self.assertEqual(self.live(), 0)

    def test_by_reference_box_with_an_object(self):
        box = tavrel.Ref(new_object())
        self.counter.Twice(box)  # an object becomes the String "changed"
        self.assertEqual(box.value, "changed")
        self.assertEqual(self.live(), 0)

    def test_failed_calls_release_their_arguments(self):
        obj = new_object()
        with self.assertRaises(tavrel.com_error):
            self.counter.Raise(obj, "x")
        with self.assertRaises(tavrel.com_error):
            self.counter.Echo(obj, obj, obj)
        with self.assertRaises(TypeError):
            self.counter.Echo(obj, object())
        del obj
        self.assertEqual(self.live(), 0)

    def test_objects_created_inside_the_module(self):
        made = [self.counter.CreateObject("Tavrel.TestObject") for _ in range(3)]
        self.assertEqual(self.live(), 3)
        del made
        self.assertEqual(self.live(), 0)

    def test_typed_variant_holding_an_object(self):
        held = tavrel.Variant(tavrel.VT_DISPATCH, new_object())
        unknown = tavrel.Variant(tavrel.VT_UNKNOWN, held.value)
        self.assertEqual(self.counter.EchoType(unknown), "Unknown")
        self.assertEqual(self.counter.Echo(unknown), held.value)
        self.assertEqual(self.live(), 1)
        del held, unknown
        self.assertEqual(self.live(), 0)


if __name__ == "__main__":
    unittest.main()
