// Finding and creating classes: ProgID to CLSID (with CurVer), built-in classes, loading
// modules, the failures of each step, and unloading modules that are no longer used.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/automation/client.h"
#include "platform/automation/error.h"
#include "platform/automation/guid.h"
#include "platform/com/creation.h"
#include "platform/text/codepage.h"
#include "platform/com/registry_keys.h"
#include "platform/com/tests/test_component.h"
#include "tests/support/counted_object.h"
#include "tests/support/raised_error.h"

namespace {

using com::detail::WriteKey;
using comtest::CLSID_TestObject;

constexpr CLSID kUnregistered{0x0BADF00D, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
constexpr HRESULT kModuleNotFound = hr(0x8007007E);

CLSID ClsidOf(std::u16string_view progId) {
    CLSID clsid = GUID_NULL;
    const std::u16string name(progId);
    EXPECT_EQ(S_OK, CLSIDFromProgID(name.c_str(), &clsid)) << "for the ProgID";
    return clsid;
}

HRESULT ClsidResult(std::u16string_view progId) {
    CLSID clsid;
    const std::u16string name(progId);
    return CLSIDFromProgID(name.c_str(), &clsid);
}

void WriteProgId(std::u16string_view progId, std::u16string_view clsid) {
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, std::u16string(progId) + u"\\CLSID", clsid));
}

void WriteCurVer(std::u16string_view progId, std::u16string_view target) {
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, std::u16string(progId) + u"\\CurVer", target));
}

// Registers a class whose InprocServer32 is the given file.
void RegisterModule(REFCLSID clsid, const std::string& file) {
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, u"CLSID\\" + GuidToString(clsid) + u"\\InprocServer32",
                                      text::AnsiToText(file)));
}

HRESULT CreateResult(REFCLSID clsid) {
    ComPtr<IUnknown> object;
    const HRESULT result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid());
    EXPECT_EQ(SUCCEEDED(result), bool(object));
    return result;
}

LONG LiveObjects(IDispatch* object) { return automation::Get(object, u"LiveObjects").lVal; }

// ---- ProgID and CLSID ------------------------------------------------------------------------

class ProgIds : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
};

TEST_F(ProgIds, ProgIdGivesItsClsid) {
    WriteProgId(u"Maker.Thing.1", u"{00000000-0000-0000-0000-00000000000A}");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-00000000000A}"), ClsidOf(u"Maker.Thing.1"));
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-00000000000A}"), ClsidOf(u"maker.THING.1"));
}

TEST_F(ProgIds, CurVerIsFollowedToTheVersionedProgId) {
    WriteProgId(u"Maker.Thing.2", u"{00000000-0000-0000-0000-000000000002}");
    WriteProgId(u"Maker.Thing", u"{00000000-0000-0000-0000-000000000001}");
    WriteCurVer(u"Maker.Thing", u"Maker.Thing.2");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-000000000002}"), ClsidOf(u"Maker.Thing"));
}

TEST_F(ProgIds, ChainsOfCurVerAreFollowedAndLoopsEnd) {
    WriteProgId(u"A.Thing.3", u"{00000000-0000-0000-0000-000000000003}");
    WriteCurVer(u"A.Thing", u"A.Thing.2");
    WriteCurVer(u"A.Thing.2", u"A.Thing.3");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-000000000003}"), ClsidOf(u"A.Thing"));

    WriteProgId(u"Loop.One", u"{00000000-0000-0000-0000-000000000011}");
    WriteProgId(u"Loop.Two", u"{00000000-0000-0000-0000-000000000022}");
    WriteCurVer(u"Loop.One", u"Loop.Two");
    WriteCurVer(u"Loop.Two", u"LOOP.ONE");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-000000000022}"), ClsidOf(u"Loop.One"));

    WriteProgId(u"Self.Thing", u"{00000000-0000-0000-0000-000000000033}");
    WriteCurVer(u"Self.Thing", u"Self.Thing");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-000000000033}"), ClsidOf(u"Self.Thing"));
}

TEST_F(ProgIds, CurVerNamingAMissingProgIdIsNotFollowed) {
    WriteProgId(u"Maker.Thing", u"{00000000-0000-0000-0000-000000000001}");
    WriteCurVer(u"Maker.Thing", u"Maker.Thing.9");
    EXPECT_EQ(*GuidFromString(u"{00000000-0000-0000-0000-000000000001}"), ClsidOf(u"Maker.Thing"));
}

TEST_F(ProgIds, UnknownOrBrokenProgIdsAreInvalidClassStrings) {
    EXPECT_EQ(CO_E_CLASSSTRING, ClsidResult(u"No.Such.Class"));
    EXPECT_EQ(CO_E_CLASSSTRING, ClsidResult(u""));
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, u"Without.Clsid", u"a ProgID key without CLSID"));
    EXPECT_EQ(CO_E_CLASSSTRING, ClsidResult(u"Without.Clsid"));
    WriteProgId(u"Bad.Clsid", u"not a GUID");
    EXPECT_EQ(CO_E_CLASSSTRING, ClsidResult(u"Bad.Clsid"));
    CLSID clsid;
    EXPECT_EQ(E_INVALIDARG, CLSIDFromProgID(nullptr, &clsid));
    EXPECT_EQ(E_INVALIDARG, CLSIDFromProgID(u"Bad.Clsid", nullptr));
}

TEST_F(ProgIds, ClsidGivesItsProgId) {
    ASSERT_EQ(ERROR_SUCCESS,
              WriteKey(HKEY_CLASSES_ROOT, u"CLSID\\{00000000-0000-0000-0000-00000000000A}\\ProgID", u"Maker.Thing.1"));
    LPOLESTR progId = nullptr;
    ASSERT_EQ(S_OK, ProgIDFromCLSID(*GuidFromString(u"{00000000-0000-0000-0000-00000000000A}"), &progId));
    EXPECT_EQ(std::u16string_view(u"Maker.Thing.1"), progId);
    CoTaskMemFree(progId);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, ProgIDFromCLSID(kUnregistered, &progId));
    EXPECT_EQ(nullptr, progId);
}

// ---- built-in classes ------------------------------------------------------------------------

constexpr CLSID kBuiltin{0xB0B0B0B0, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
constexpr CLSID kFailingBuiltin{0xB0B0B0B0, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};

TEST(BuiltinClasses, AreCreatableWithoutAnyRegistration) {
    testsupport::TempRegistry empty;
    static testsupport::CountedObject instance;  // the class stays registered after the test
    static int created = 0;
    RegisterBuiltinClass(u"Test.Builtin", kBuiltin, [](REFIID riid, void** ppv) {
        ++created;
        return instance.QueryInterface(riid, ppv);
    });
    EXPECT_EQ(kBuiltin, ClsidOf(u"test.builtin"));
    LPOLESTR progId = nullptr;
    ASSERT_EQ(S_OK, ProgIDFromCLSID(kBuiltin, &progId));
    EXPECT_EQ(std::u16string_view(u"Test.Builtin"), progId);
    CoTaskMemFree(progId);
    {
        ComPtr<IDispatch> object = com::CreateObject(u"Test.Builtin");
        EXPECT_EQ(static_cast<IDispatch*>(&instance), object.get());
        EXPECT_EQ(2, instance.references());
    }
    EXPECT_EQ(1, instance.references());
    EXPECT_EQ(1, created);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              CoCreateInstance(kBuiltin, &instance, CLSCTX_ALL, IID_IUnknown, aggregated.putVoid()));
    EXPECT_EQ(1, instance.references());
}

TEST(BuiltinClasses, ACreatorFailureComesBackAsItsResult) {
    RegisterBuiltinClass(u"Test.Failing", kFailingBuiltin, [](REFIID, void**) -> HRESULT {
        throw ComError(70, u"Test.Failing", u"Permission denied");
    });
    const ComError error = testsupport::ErrorOf([] { com::CreateObject(u"Test.Failing"); });
    EXPECT_EQ(70, error.number());
    EXPECT_EQ(u"Test.Failing", error.source());
    EXPECT_EQ(u"Permission denied", error.description());
}

// ---- creation from modules -------------------------------------------------------------------

class Creation : public ::testing::Test {
protected:
    comtest::RegisteredTestComponent component_;
    testsupport::TempDir dir_;
};

TEST_F(Creation, ByProgIdAndByClsid) {
    EXPECT_EQ(CLSID_TestObject, ClsidOf(u"Tavrel.TestObject"));
    EXPECT_EQ(CLSID_TestObject, ClsidOf(u"Tavrel.TestObject.1"));
    ComPtr<IDispatch> byProgId = com::CreateObject(u"Tavrel.TestObject");
    ComPtr<IDispatch> byClsid;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, byClsid.putVoid()));
    EXPECT_NE(byProgId.get(), byClsid.get());
    EXPECT_EQ(2, LiveObjects(byClsid.get()));
    byProgId.reset();
    EXPECT_EQ(1, LiveObjects(byClsid.get()));
}

TEST_F(Creation, TheClassFactoryCreatesAndAnswersOnlyItsInterfaces) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.putVoid()));
    ComPtr<IDispatch> object;
    EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()));
    ComPtr<IStream> stream;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IStream, stream.putVoid()));
    EXPECT_EQ(nullptr, stream.get());
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(object.get(), IID_IUnknown, aggregated.putVoid()));
    EXPECT_EQ(1, LiveObjects(object.get()));  // the refused ones did not stay alive
    ComPtr<IStream> notAFactory;
    EXPECT_EQ(E_NOINTERFACE,
              CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_IStream, notAFactory.putVoid()));
}

TEST_F(Creation, ClassesThatAreNotThereFailWithTheirResults) {
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CreateResult(kUnregistered));

    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, u"CLSID\\" + GuidToString(kUnregistered), u"No server"));
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CreateResult(kUnregistered));

    RegisterModule(kUnregistered, "");
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CreateResult(kUnregistered));

    ComPtr<IUnknown> object;
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(CLSID_TestObject, nullptr, 0x4 /* local server only */, IID_IUnknown, object.putVoid()));
}

TEST_F(Creation, MissingModuleFile) {
    RegisterModule(kUnregistered, (dir_ / "missing.so").string());
    EXPECT_EQ(kModuleNotFound, CreateResult(kUnregistered));
    RegisterModule(kUnregistered, (dir_ / "no-folder/missing.so").string());
    EXPECT_EQ(kModuleNotFound, CreateResult(kUnregistered));
}

TEST_F(Creation, FilesThatAreNoComponentModules) {
    const auto text = dir_ / "module.so";
    std::ofstream(text) << "this is text, not a module\n";
    RegisterModule(kUnregistered, text.string());
    EXPECT_EQ(CO_E_ERRORINDLL, CreateResult(kUnregistered));

    RegisterModule(kUnregistered, dir_.path().string());  // a folder
    EXPECT_EQ(CO_E_ERRORINDLL, CreateResult(kUnregistered));

    const auto fifo = dir_ / "fifo.so";  // loading it would wait for a writer for ever
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    RegisterModule(kUnregistered, fifo.string());
    EXPECT_EQ(CO_E_ERRORINDLL, CreateResult(kUnregistered));

    RegisterModule(kUnregistered, comtest::kEmptyModule);  // loads, but lacks DllGetClassObject
    EXPECT_EQ(CO_E_ERRORINDLL, CreateResult(kUnregistered));
    EXPECT_FALSE(comtest::IsLoaded(comtest::kEmptyModule));
}

TEST_F(Creation, AClassTheModuleDoesNotServe) {
    RegisterModule(kUnregistered, comtest::kTestComponent);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, CreateResult(kUnregistered));
}

TEST_F(Creation, CreateObjectRaisesTheResultWithItsText) {
    const auto expectError = [](std::u16string_view progId, HRESULT result, std::u16string_view text) {
        const ComError error = testsupport::ErrorOf([&] { com::CreateObject(progId); });
        EXPECT_EQ(result, error.number());
        EXPECT_EQ(result, error.hresult());
        EXPECT_EQ(text, error.description());
    };
    expectError(u"No.Such.Class", CO_E_CLASSSTRING, u"Invalid class string");
    WriteProgId(u"Gone.Class", GuidToString(kUnregistered));
    expectError(u"Gone.Class", REGDB_E_CLASSNOTREG, u"Class not registered");
    RegisterModule(kUnregistered, (dir_ / "missing.so").string());
    expectError(u"Gone.Class", kModuleNotFound, u"The specified module could not be found.");
}

// ---- unloading -------------------------------------------------------------------------------

TEST_F(Creation, ModulesUnloadOnceNothingOfThemIsUsed) {
    ComPtr<IDispatch> object = com::CreateObject(u"Tavrel.TestObject");
    ASSERT_TRUE(comtest::IsLoaded(comtest::kTestComponent));
    CoFreeUnusedLibraries();
    EXPECT_TRUE(comtest::IsLoaded(comtest::kTestComponent)) << "an object is alive";
    object.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(comtest::IsLoaded(comtest::kTestComponent));

    object = com::CreateObject(u"Tavrel.TestObject");  // loads again
    EXPECT_EQ(1, LiveObjects(object.get()));
    object.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(comtest::IsLoaded(comtest::kTestComponent));
}

TEST_F(Creation, FactoryReferencesAndServerLocksKeepTheModule) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.putVoid()));
    CoFreeUnusedLibraries();
    EXPECT_TRUE(comtest::IsLoaded(comtest::kTestComponent)) << "a factory reference is held";
    factory->LockServer(1);
    factory.reset();
    CoFreeUnusedLibraries();
    EXPECT_TRUE(comtest::IsLoaded(comtest::kTestComponent)) << "the server is locked";

    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.putVoid()));
    factory->LockServer(0);
    factory.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(comtest::IsLoaded(comtest::kTestComponent));
}

}  // namespace
