"""Set-up shared by the tests: a registry store of this run's own, with the test component
registered in it, so that tavrel.Dispatch("Tavrel.TestObject") works.

CTest passes the built tools through TAVREL_REGSVR and TAVREL_TESTCOMPONENT, and the module's
folder through PYTHONPATH."""

import atexit
import os
import shutil
import subprocess
import tempfile

PROG_ID = "Tavrel.TestObject"


def _required(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set; run these tests through CTest")
    return value


def _register_test_component():
    folder = tempfile.mkdtemp(prefix="tavrel-python-")
    atexit.register(shutil.rmtree, folder, ignore_errors=True)
    os.environ["TAVREL_REGISTRY"] = os.path.join(folder, "registry.db")
    subprocess.run([_required("TAVREL_REGSVR"), _required("TAVREL_TESTCOMPONENT")],
                   check=True, stdout=subprocess.DEVNULL)


_register_test_component()

import tavrel  # noqa: E402  (after the registry is in place)


def new_object():
    return tavrel.Dispatch(PROG_ID)
