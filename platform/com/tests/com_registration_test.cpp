// Registration of classes: the keys a module writes and removes, and the module's own path.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/automation/guid.h"
#include "platform/text/codepage.h"
#include "platform/com/registration.h"
#include "platform/com/registry_keys.h"
#include "platform/com/tests/test_component.h"

namespace {

using com::detail::KeyExists;
using com::detail::ReadString;
using com::detail::WriteKey;

constexpr CLSID kClass{0x11112222, 0x3333, 0x4444, {0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}};
constexpr GUID kTypeLib{0x11112222, 0x3333, 0x4444, {0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCD}};
constexpr char16_t kClassKey[] = u"CLSID\\{11112222-3333-4444-5566-778899AABBCC}";

com::ClassRegistration Sample() {
    return {kClass, u"Maker.Sample.1", u"Maker.Sample", u"Sample Class", u"Apartment", kTypeLib, true};
}

std::u16string Key(std::u16string_view sub) { return std::u16string(kClassKey) + u"\\" + std::u16string(sub); }

class Registration : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
};

TEST_F(Registration, WritesEveryKeyOfTheClass) {
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/opt/maker/libsample.so"));

    EXPECT_EQ(u"Sample Class", ReadString(HKEY_CLASSES_ROOT, u"Maker.Sample.1"));
    EXPECT_EQ(u"{11112222-3333-4444-5566-778899AABBCC}", ReadString(HKEY_CLASSES_ROOT, u"Maker.Sample.1\\CLSID"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample.1\\CurVer"));
    EXPECT_EQ(u"Sample Class", ReadString(HKEY_CLASSES_ROOT, u"Maker.Sample"));
    EXPECT_EQ(u"{11112222-3333-4444-5566-778899AABBCC}", ReadString(HKEY_CLASSES_ROOT, u"Maker.Sample\\CLSID"));
    EXPECT_EQ(u"Maker.Sample.1", ReadString(HKEY_CLASSES_ROOT, u"Maker.Sample\\CurVer"));

    EXPECT_EQ(u"Sample Class", ReadString(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_EQ(u"Maker.Sample.1", ReadString(HKEY_CLASSES_ROOT, Key(u"ProgID")));
    EXPECT_EQ(u"Maker.Sample", ReadString(HKEY_CLASSES_ROOT, Key(u"VersionIndependentProgID")));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, Key(u"Programmable")));
    EXPECT_EQ(std::nullopt, ReadString(HKEY_CLASSES_ROOT, Key(u"Programmable")));  // a key without value
    EXPECT_EQ(u"/opt/maker/libsample.so", ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32")));
    EXPECT_EQ(u"Apartment", ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32"), u"ThreadingModel"));
    EXPECT_EQ(u"{11112222-3333-4444-5566-778899AABBCD}", ReadString(HKEY_CLASSES_ROOT, Key(u"TypeLib")));
}

TEST_F(Registration, LeavesOutWhatTheClassDoesNotHave) {
    com::ClassRegistration reg = Sample();
    reg.versionIndependentProgId.clear();
    reg.typeLibId.reset();
    reg.programmable = false;
    ASSERT_EQ(S_OK, com::RegisterClass(reg, u"/m.so"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key(u"VersionIndependentProgID")));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key(u"TypeLib")));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key(u"Programmable")));
    EXPECT_EQ(u"/m.so", ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32")));
}

TEST_F(Registration, RegisteringAgainMovesTheClassToTheNewModule) {
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/old/libsample.so"));
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/new/libsample.so"));
    EXPECT_EQ(u"/new/libsample.so", ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32")));
}

TEST_F(Registration, RegisteringAgainRemovesWhatTheClassKeyNoLongerHas) {
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/old/libsample.so"));
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, Key(u"Stale\\Below"), u"left over"));
    com::ClassRegistration reg = Sample();
    reg.programmable = false;
    ASSERT_EQ(S_OK, com::RegisterClass(reg, u"/new/libsample.so"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key(u"Stale")));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key(u"Programmable")));
    EXPECT_EQ(u"Maker.Sample.1", ReadString(HKEY_CLASSES_ROOT, Key(u"ProgID")));
}

TEST_F(Registration, RefusesAClassWithoutProgIdOrModule) {
    com::ClassRegistration reg = Sample();
    EXPECT_EQ(E_INVALIDARG, com::RegisterClass(reg, u""));
    reg.progId.clear();
    EXPECT_EQ(E_INVALIDARG, com::RegisterClass(reg, u"/m.so"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}

TEST_F(Registration, UnregisteringRemovesTheClassButKeepsTheClsidKey) {
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, u"CLSID\\{00000000-0000-0000-0000-000000000001}", u"Other"));
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/m.so"));
    ASSERT_EQ(S_OK, com::UnregisterClass(Sample()));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample.1"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, u"CLSID"));
    EXPECT_EQ(u"Other", ReadString(HKEY_CLASSES_ROOT, u"CLSID\\{00000000-0000-0000-0000-000000000001}"));
}

TEST_F(Registration, UnregisteringKeepsAProgIdThatNowNamesAnotherClass) {
    ASSERT_EQ(S_OK, com::RegisterClass(Sample(), u"/m.so"));
    ASSERT_EQ(ERROR_SUCCESS, WriteKey(HKEY_CLASSES_ROOT, u"Maker.Sample\\CLSID", u"{00000000-0000-0000-0000-000000000002}"));
    ASSERT_EQ(S_OK, com::UnregisterClass(Sample()));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Maker.Sample.1"));
}

TEST_F(Registration, UnregisteringWhatIsNotThereSucceeds) {
    EXPECT_EQ(S_OK, com::UnregisterClass(Sample()));
}

TEST_F(Registration, TheTestComponentRegistersItselfWithItsOwnPath) {
    ASSERT_EQ(S_OK, comtest::CallModuleEntry(comtest::kTestComponent, "DllRegisterServer"));
    const auto module = ReadString(HKEY_CLASSES_ROOT, std::u16string(u"CLSID\\") + comtest::kTestClsidText +
                                                          u"\\InprocServer32");
    ASSERT_TRUE(module);
    EXPECT_EQ(std::filesystem::canonical(comtest::kTestComponent).string(), text::TextToAnsi(*module));
    EXPECT_EQ(u"Tavrel.TestObject.1", ReadString(HKEY_CLASSES_ROOT, u"Tavrel.TestObject\\CurVer"));

    ASSERT_EQ(S_OK, comtest::CallModuleEntry(comtest::kTestComponent, "DllUnregisterServer"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::u16string(u"CLSID\\") + comtest::kTestClsidText));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Tavrel.TestObject"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Tavrel.TestObject.1"));
}

TEST(ModulePath, IsTheFullPathOfTheModuleHoldingTheAddress) {
    void* handle = dlopen(comtest::kTestComponent, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, handle);
    const std::u16string path = com::ModulePath(dlsym(handle, "DllGetClassObject"));
    dlclose(handle);
    EXPECT_EQ(std::filesystem::canonical(comtest::kTestComponent).string(), text::TextToAnsi(path));
}

TEST(ModulePath, IsEmptyForAnAddressInNoModule) {
    EXPECT_EQ(u"", com::ModulePath(reinterpret_cast<const void*>(uintptr_t(16))));
}

}  // namespace
