// The component module mossel: the keys its registration writes and removes, its class
// factory, and when it may be unloaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "components/dictionary/dictionary_interface.h"
#include "platform/automation/client.h"
#include "platform/automation/typename.h"
#include "platform/com/creation.h"
#include "platform/com/registry_keys.h"
#include "platform/registry/registry.h"
#include "tests/support/temp_dir.h"

namespace {

// Every key below the classes root, as paths; the value names of each key follow a colon.
void CollectKeys(HKEY root, const std::u16string& path, std::set<std::u16string>& keys) {
    com::detail::RegKey key;
    if (com::detail::OpenKey(root, path, key) != ERROR_SUCCESS) return;
    if (!path.empty()) keys.insert(path);
    char16_t name[256];
    for (DWORD i = 0, size = 256; RegEnumValueW(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                  ERROR_SUCCESS;
         ++i, size = 256)
        if (size) keys.insert(path + u":" + name);
    for (DWORD i = 0; RegEnumKeyW(key.get(), i, name, 256) == ERROR_SUCCESS; ++i)
        CollectKeys(root, path.empty() ? name : path + u"\\" + name, keys);
}

class Mossel : public ::testing::Test {
protected:
    Mossel() : module_(dlopen(MOSSEL_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Mossel() override { dlclose(module_); }

    HRESULT call(const char* entry) { return reinterpret_cast<HRESULT (*)()>(dlsym(module_, entry))(); }

    testsupport::TempRegistry registry_;
    void* module_;
};

TEST_F(Mossel, RegistrationWritesTheClassAndTypeLibraryKeys) {
    ASSERT_EQ(S_OK, call("DllRegisterServer"));
    std::set<std::u16string> keys;
    CollectKeys(HKEY_CLASSES_ROOT, u"", keys);
    const std::u16string cls = u"CLSID\\{43F1E102-A5D6-11D2-9C68-00105A3230AF}";
    const std::u16string lib = u"TypeLib\\{43F1E0F5-A5D6-11D2-9C68-00105A3230AF}";
    const std::u16string itf = u"Interface\\{43F1E101-A5D6-11D2-9C68-00105A3230AF}";
    const std::set<std::u16string> expected{
        u"Tavrel.Dictionary.1", u"Tavrel.Dictionary.1\\CLSID", u"Tavrel.Dictionary", u"Tavrel.Dictionary\\CLSID",
        u"Tavrel.Dictionary\\CurVer", u"CLSID", cls, cls + u"\\ProgID", cls + u"\\VersionIndependentProgID",
        cls + u"\\Programmable", cls + u"\\InprocServer32", cls + u"\\InprocServer32:ThreadingModel",
        cls + u"\\TypeLib", u"TypeLib", lib, lib + u"\\1.0", lib + u"\\1.0\\0", lib + u"\\1.0\\0\\linux",
        lib + u"\\1.0\\FLAGS", lib + u"\\1.0\\HELPDIR", u"Interface", itf, itf + u"\\ProxyStubClsid32",
        itf + u"\\TypeLib", itf + u"\\TypeLib:Version"};
    EXPECT_EQ(expected, keys);
    EXPECT_EQ(u"Dictionary Class", com::detail::ReadString(HKEY_CLASSES_ROOT, cls));
    EXPECT_EQ(u"Tavrel Dictionary 1.0 Type Library", com::detail::ReadString(HKEY_CLASSES_ROOT, lib + u"\\1.0"));

    ASSERT_EQ(S_OK, call("DllUnregisterServer"));
    keys.clear();
    CollectKeys(HKEY_CLASSES_ROOT, u"", keys);
    EXPECT_TRUE(keys.count(u"CLSID") && keys.count(lib + u"\\1.0") && !keys.count(cls) &&
                !keys.count(u"Tavrel.Dictionary"));
}

TEST_F(Mossel, FactoryObjectsEnumeratorsAndLocksKeepTheModule) {
    ASSERT_EQ(S_OK, call("DllRegisterServer"));
    auto getClassObject = reinterpret_cast<HRESULT (*)(REFCLSID, REFIID, void**)>(dlsym(module_, "DllGetClassObject"));
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IDictionary, IID_IClassFactory, factory.putVoid()));
    ASSERT_EQ(S_OK, getClassObject(CLSID_Dictionary, IID_IClassFactory, factory.putVoid()));
    EXPECT_EQ(S_FALSE, call("DllCanUnloadNow"));
    ComPtr<IDispatch> dictionary;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, dictionary.putVoid()));
    factory.reset();
    ComPtr<IEnumVARIANT> enumerator = automation::Enumerate(dictionary.get());
    dictionary.reset();
    EXPECT_EQ(S_FALSE, call("DllCanUnloadNow"));
    enumerator.reset();
    EXPECT_EQ(S_OK, call("DllCanUnloadNow"));

    const ComPtr<IDispatch> byProgId = com::CreateObject(u"Tavrel.Dictionary");
    EXPECT_EQ(u"IDictionary", automation::TypeName(Variant::fromDispatch(byProgId.get())));
}

}  // namespace
