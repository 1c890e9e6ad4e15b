"""The class "Tavrel.System" of the module halvern, created by its ProgID and called late-bound
from Python. Run through CTest, which passes QUILLON_MODULE, HALVERN_MODULE, MOSSEL_MODULE,
TAVREL_REGSVR and the module tavrel on PYTHONPATH; the modules are registered into a registry
store of its own."""

import atexit
import os
import shutil
import subprocess
import tempfile
import unittest

FOLDER = tempfile.mkdtemp(prefix="tavrel-system-")
atexit.register(shutil.rmtree, FOLDER, ignore_errors=True)
os.environ["TAVREL_REGISTRY"] = os.path.join(FOLDER, "registry.db")
os.environ["XDG_RUNTIME_DIR"] = FOLDER
for module in ("QUILLON_MODULE", "HALVERN_MODULE", "MOSSEL_MODULE"):
    subprocess.run([os.environ["TAVREL_REGSVR"], os.environ[module]], check=True, stdout=subprocess.DEVNULL)

import tavrel  # noqa: E402  (after the registry is in place)


class SystemTest(unittest.TestCase):
    def setUp(self):
        self.s = tavrel.Dispatch("Tavrel.System")

    def test_files_and_folders(self):
        self.s.MkDirEx(FOLDER + "/a\\b/c")
        self.assertIs(self.s.FolderExists(FOLDER + "/a/b/c"), True)
        name = tavrel.Ref("C:/dir\\x*.txt")
        self.assertEqual(self.s.ValidFileName(name, True), "C:/dirx.txt")
        self.assertEqual(name.value, "/dir\\x*.txt")
        temp = self.s.GetTempFileName(FOLDER, "abcdef")
        self.assertRegex(temp, r"/abc[0-9A-F]+\.tmp$")
        self.assertEqual(os.path.getsize(temp), 0)
        self.assertNotEqual(self.s.GetTempFileName(FOLDER), self.s.GetTempFileName(FOLDER))

    def test_processes(self):
        self.s.ShellAndWait('sh -c "exit 0"', True)
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.ShellAndWaitEx("/no/such/program")
        self.assertEqual(raised.exception.number, 13)
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.ShellAndWait("/no/such/program")
        self.assertEqual((raised.exception.number, raised.exception.description),
                         (1000, "Error launching the command [/no/such/program]"))
        pid = self.s.ShellAndContinue("sleep 30")
        self.assertEqual(self.s.TerminateProcess(pid, 1), 1)
        self.assertIs(self.s.StillExecuting(12345), False)
        self.assertEqual(self.s.CloseProcessHandle(12345), 0)

    def test_mutexes(self):
        handle = self.s.CreateInstanceMutex("py-app")
        self.assertIs(self.s.CheckInstanceMutex("py-app"), True)
        with self.assertRaises(tavrel.com_error) as raised:
            self.s.CreateInstanceMutex("py-app")
        self.assertEqual(raised.exception.number, 183)
        self.s.DestroyInstanceMutex(handle)
        self.assertIs(self.s.CheckInstanceMutex("py-app"), False)

    def test_miscellany_and_registry(self):
        self.assertRegex(self.s.CreateGUID(), r"^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$")
        self.assertTrue(self.s.UserName())
        self.assertIsNone(self.s.ShellOpen(""))
        path, display = tavrel.Ref("x"), tavrel.Ref("x")
        self.assertIs(self.s.BrowseFolder("Pick", True, False, False, False, False, path, display), False)
        self.assertEqual((path.value, display.value), ("", ""))
        self.assertIs(self.s.RegWrite("HKCU\\Software\\Py\\n", tavrel.Variant(tavrel.VT_I2, 5)), True)
        self.assertEqual(self.s.RegRead("HKCU\\Software\\Py\\n"), 5)
        self.assertIs(self.s.RegRead("HKU\\Software\\Py\\n"), tavrel.Null)
        self.assertIs(self.s.RegDeleteTree("HKCU\\Software\\Py"), True)
        self.assertIs(self.s.GetDefaultExchangeProfile(), tavrel.Null)


def to_python(tree):
    """A dictionary tree as nested dicts, as the README's script reads it."""
    items = ((tree.Name(i), tree.Item(i)) for i in range(1, tree.Count + 1))
    return {name: to_python(v) if tavrel.TypeName(v) == "IDictionary" else v for name, v in items}


class DictionaryResultsTest(unittest.TestCase):
    def setUp(self):
        self.s = tavrel.Dispatch("Tavrel.System")

    def items(self, cmd):
        parsed = self.s.ParseCommandline(cmd)
        return [(parsed.Name(i), parsed.Item(i)) for i in range(1, parsed.Count + 1)]

    def test_parse_commandline(self):
        self.assertEqual(self.items(""), [])
        self.assertEqual(self.items('/in=a.txt -out="C:\\My Files\\b.htm"'),
                         [("in", "a.txt"), ("out", "C:\\My Files\\b.htm")])
        self.assertEqual(self.items("a=1, b=2"), [("a", "1"), ("", ""), ("b", "2")])
        self.assertEqual(self.items('"say ""hi"""=x x= =5'), [('say "hi"', "x"), ("x", ""), ("", "5")])
        self.assertEqual(self.s.ParseCommandline("/Verbose").Item("verbose"), "")

    def test_registry_tree_and_process_record(self):
        self.s.RegWrite("HKCU\\Software\\Tree\\B\\y", 1)
        self.s.RegWrite("HKCU\\Software\\Tree\\A\\", "a")
        self.s.RegWrite("HKCU\\Software\\Tree\\x", "x")
        tree = self.s.RegReadTree("HKCU\\Software\\Tree")
        self.assertEqual(to_python(tree), {"A": {"": "a"}, "B": {"y": 1}, "x": "x"})
        self.assertIs(self.s.RegWriteTree(tree, "HKCU\\Software\\Copy"), True)
        self.assertEqual(to_python(self.s.RegReadTree("HKCU\\Software\\Copy\\")), to_python(tree))
        record = self.s.CreateProcess("sleep 30")
        self.assertEqual([record.Name(i) for i in range(1, 5)], ["ProcessID", "ThreadID", "ProcessHandle", "ThreadHandle"])
        self.assertIs(self.s.StillExecuting(record.Item("processhandle")), True)
        self.assertEqual(self.s.TerminateProcess(record.Item("PROCESSID"), 0), 1)
        self.assertEqual(self.s.CloseProcessHandle(record.Item("ProcessHandle")), 1)
        self.assertEqual(self.s.CloseProcessHandle(record.Item("ThreadHandle")), 1)


if __name__ == "__main__":
    unittest.main()
