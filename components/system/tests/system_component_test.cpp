// "Tavrel.System" from the module halvern, called late-bound from C++: identity and interface,
// construction, and the edge cases of folders, processes, mutexes, names, data sources, the
// folder dialog and registry values.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <regex>

#include "components/system/system.h"
#include "components/system/system_interface.h"
#include "components/system/tests/system_test_support.h"
#include "platform/automation/arrays.h"
#include "platform/automation/client.h"
#include "platform/automation/typename.h"
#include "platform/com/creation.h"
#include "platform/com/registry_keys.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/scoped_env.h"

using namespace systemtest;

namespace {

Variant Str(const std::u16string& text) { return Variant::fromString(text); }
Variant Long(LONG value) { return Variant::fromLong(value); }
Variant Bool(bool value) { return Variant::fromBool(value); }
Variant Ref(Variant& target) { return Variant::byReference(VT_VARIANT, target.ptr()); }
std::u16string Text(const Variant& value) { return value.vt == VT_BSTR ? std::u16string(BstrView(value.bstrVal)) : u"<not text>"; }

class TavrelSystem : public ::testing::Test {
protected:
    Variant call(std::u16string_view name, std::vector<Variant> args = {}) {
        return automation::Call(object_.get(), name, automation::Args(args));
    }
    std::u16string path(const std::string& name) { return U(dir_ / name); }

    testsupport::TempDir dir_;
    RegisteredModules modules_{QUILLON_PATH, HALVERN_PATH};
    ui::ScopedScriptedServices ui_;
    ComPtr<IDispatch> object_ = com::CreateObject(halvern::kProgId);
};

TEST_F(TavrelSystem, ServesItsInterfaceWithTheDispidsAndGaps) {
    EXPECT_EQ(automation::TypeName(Variant::fromDispatch(object_.get())), u"_System");
    EXPECT_TRUE(com::CreateObject(u"Tavrel.System.1"));
    const std::pair<const char16_t*, DISPID> members[] = {
        {u"ComputerName", 0x60030000}, {u"UserName", 0x60030001}, {u"Sleep", 0x60030003},
        {u"RegWrite", 0x6003000D},     {u"CreateGUID", 0x6003000F}, {u"ShellAndWait", 0x60030012},
        {u"ReadFile", 0x60030028},
    };
    for (const auto& [name, id] : members) EXPECT_EQ(automation::GetDispId(object_.get(), name), id);
    for (DISPID id : {0x60030002, 0x6003000E}) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        EXPECT_EQ(object_->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                  DISP_E_MEMBERNOTFOUND);
    }
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object_->GetTypeInfo(0, 0, info.put()), S_OK);
    Bstr help;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, help.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(help.str(), u"Tavrel.System COM Component (ver 1.0)");
    ComPtr<_System> dual;
    ASSERT_EQ(object_.queryInterface(IID__System, dual), S_OK);
    BSTR guid = nullptr;
    ASSERT_EQ(dual->CreateGUID(&guid), S_OK);
    EXPECT_TRUE(std::regex_match(std::string(BstrView(guid).begin(), BstrView(guid).end()),
                                 std::regex("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")));
    SysFreeString(guid);
}

TEST_F(TavrelSystem, RegistersItsTypeLibrary) {
    using com::detail::ReadString;
    const std::u16string library = u"TypeLib\\{10AB3F46-0FFC-4A27-9180-4B439F64D7B7}\\1.0";
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, library), u"Tavrel.System COM Component (ver 1.0)");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, library + u"\\0\\linux"), U(std::filesystem::path(HALVERN_PATH)));
    const std::u16string interface = u"Interface\\{11F48EF6-9DE2-4AF4-BB1E-33F03BE20E94}";
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, interface), u"_System");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, interface + u"\\TypeLib"), u"{10AB3F46-0FFC-4A27-9180-4B439F64D7B7}");
}

TEST_F(TavrelSystem, CreationFailsWith429WithoutTheStringsClass) {
    RegisteredModules withoutStrings{HALVERN_PATH};
    EXPECT_EQ(ErrorOf([] { System program(SystemCopy::Program); }).number(), 429);
    ASSERT_EQ(ui_->boxes.size(), 1u);
    EXPECT_EQ(ui_->boxes[0].text, u"Message:\r\nCreateObject of [Tavrel.Strings2] failed.");
    EXPECT_EQ(ErrorOf([] { com::CreateObject(halvern::kProgId); }).number(), 429);
}

TEST_F(TavrelSystem, FoldersFileNamesAndCopies) {
    call(u"MkDirEx", {Str(path("a\\b/c"))});
    EXPECT_EQ(call(u"FolderExists", {Str(path("a/b/c"))}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(u"FolderExists", {Str(path("a/x"))}).boolVal, VARIANT_FALSE);
    WriteBytes(dir_ / "file", "x");
    ComError blocked = ErrorOf([&] { call(u"MkDirEx", {Str(path("file/sub"))}); });
    EXPECT_EQ(blocked.number(), 1000);
    EXPECT_EQ(blocked.source(), u"Tavrel.System->MkDirEx");
    EXPECT_EQ(blocked.description(),
              u"Error creating the directory \"" + path("file/") + u"\"\r\nError: 58\r\nReason: File already exists");

    Variant name = Str(u"C:/dir\\x*.txt");
    EXPECT_EQ(Text(call(u"ValidFileName", {Ref(name), Bool(true)})), u"C:/dirx.txt");
    EXPECT_EQ(Text(name), u"/dir\\x*.txt");
    EXPECT_EQ(Text(call(u"ValidFileName", {Str(u"a*b|c?.txt"), Bool(false)})), u"abc.txt");
    {
        AnsiCodePage western("1252");
        EXPECT_EQ(Text(call(u"ValidFileName", {Str(u"\u00e9\u20ac\u0100.txt"), Bool(false)})), u"\u00e9\u20ac.txt");
    }
    AnsiCodePage utf8("65001");
    EXPECT_EQ(Text(call(u"ValidFileName", {Str(u"\u00e9\u0100\u4e2d/"), Bool(false)})), u"\u00e9\u0100\u4e2d");

    const std::u16string temp = Text(call(u"GetTempFileName", {Str(path("")), Str(u"prefix")}));
    EXPECT_TRUE(std::regex_match(std::string(temp.begin(), temp.end()), std::regex(".*/pre[0-9A-F]+\\.tmp")));
    EXPECT_TRUE(std::filesystem::is_empty(std::string(temp.begin(), temp.end())));
    EXPECT_EQ(Text(call(u"GetTempFileName", {Str(path("missing"))})), u"");

    WriteBytes(dir_ / "src", "new");
    EXPECT_EQ(call(u"CopyFileIfNewer", {Str(path("src")), Str(path("dst"))}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(FileBytes(dir_ / "dst"), "new");
    WriteBytes(dir_ / "dst", "changed");
    std::filesystem::last_write_time(dir_ / "dst", std::filesystem::last_write_time(dir_ / "src"));
    EXPECT_EQ(call(u"CopyFileIfNewer", {Str(path("src")), Str(path("dst"))}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(FileBytes(dir_ / "dst"), "changed");
    EXPECT_EQ(ErrorOf([&] { call(u"CopyFileIfNewer", {Str(path("none")), Str(path("dst"))}); }).number(), 53);
}

TEST_F(TavrelSystem, ProcessesAreWaitedForWithEventsAndEnded) {
    call(u"ShellAndWait", {Str(u"sleep 0.3")});
    EXPECT_GE(ui_->pumps, 3);
    ComError failed = ErrorOf([&] { call(u"ShellAndWait", {Str(u"/no/such/program x")}); });
    EXPECT_EQ(failed.number(), 1000);
    EXPECT_EQ(failed.description(), u"Error launching the command [/no/such/program x]");
    EXPECT_EQ(ErrorOf([&] { call(u"ShellAndWaitEx", {Str(u"true")}); }).number(), 13);

    // The program's copy records the process in its general dictionary.
    System program(SystemCopy::Program);
    ComPtr<IDispatch> record = program.CreateProcess(u"sleep 30", Long(1));
    auto item = [&](const char16_t* name) {
        Variant key = Str(name);
        return automation::Get(record.get(), u"Item", automation::Args({&key, 1})).lVal;
    };
    Variant handle = Long(item(u"ProcessHandle"));
    EXPECT_EQ(call(u"StillExecuting", {Ref(handle)}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(u"TerminateProcess", {Long(item(u"ProcessID")), Long(7)}).lVal, 1);
    for (int i = 0; i < 100 && call(u"StillExecuting", {handle}).boolVal; ++i) call(u"Sleep", {Long(20)});
    EXPECT_EQ(call(u"StillExecuting", {handle}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(call(u"CloseProcessHandle", {handle}).lVal, 1);
    EXPECT_EQ(call(u"CloseProcessHandle", {handle}).lVal, 0);
    EXPECT_EQ(call(u"StillExecuting", {handle}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(call(u"CloseProcessHandle", {Long(item(u"ThreadHandle"))}).lVal, 1);
    EXPECT_EQ(call(u"TerminateProcess", {Long(0), Long(0)}).lVal, 0);
    EXPECT_EQ(call(u"ShellOpen", {Str(u"")}).vt, VT_EMPTY);
    EXPECT_EQ(call(u"ShellOpen", {Str(path("missing.html"))}).boolVal, VARIANT_FALSE);
    testsupport::ScopedEnv env;  // xdg-open without a desktop hands the target to $BROWSER
    env.set("DISPLAY", std::nullopt).set("XDG_CURRENT_DESKTOP", std::nullopt).set("BROWSER", "true");
    WriteBytes(dir_ / "page.html", "<p>");
    EXPECT_EQ(call(u"ShellOpen", {Str(path("page.html"))}).boolVal, VARIANT_TRUE);
    env.set("BROWSER", "false");
    EXPECT_EQ(call(u"Hyperlink", {Str(u"https://example.invalid/")}).vt, VT_EMPTY);
    EXPECT_EQ(call(u"ShellOpen", {Str(path("page.html"))}).boolVal, VARIANT_FALSE);
}

TEST_F(TavrelSystem, InstanceMutexes) {
    testsupport::ScopedEnv env;
    env.set("XDG_RUNTIME_DIR", dir_.path().string());
    EXPECT_EQ(call(u"CheckInstanceMutex", {Str(u"app")}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(call(u"CheckInstanceMutex", {Str(u"app")}).boolVal, VARIANT_FALSE);
    Variant handle = call(u"CreateInstanceMutex", {Str(u"app")});
    EXPECT_EQ(call(u"CheckInstanceMutex", {Str(u"app")}).boolVal, VARIANT_TRUE);
    ComError held = ErrorOf([&] { call(u"CreateInstanceMutex", {Str(u"app")}); });
    EXPECT_EQ(held.number(), 183);
    EXPECT_EQ(held.description(), u"Cannot create a file when that file already exists.\r\n");
    call(u"DestroyInstanceMutex", {handle});
    EXPECT_EQ(call(u"CheckInstanceMutex", {Str(u"app")}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(ErrorOf([&] { call(u"DestroyInstanceMutex", {handle}); }).number(), 6);
}

TEST_F(TavrelSystem, NamesAndDataSourcesInATemporaryOdbcConfiguration) {
    EXPECT_FALSE(Text(call(u"UserName")).empty());
    EXPECT_FALSE(Text(call(u"ComputerName")).empty());
    testsupport::ScopedEnv env;
    env.set("ODBCSYSINI", dir_.path().string()).set("ODBCINI", (dir_ / "user.ini").string());
    std::ofstream(dir_ / "odbcinst.ini") << "[Test Driver]\nDriver=/nonexistent/driver.so\nSetup=" << ODBC_TEST_SETUP_PATH << "\n";
    WriteBytes(dir_ / "odbc.ini", "");
    const std::u16string attributes(u"DSN=MyData\0Description=x\0", 25);
    EXPECT_NE(call(u"AddDSN", {Str(u"Test Driver"), Str(attributes), Bool(false)}).lVal, 0);
    EXPECT_NE(call(u"AddDSN", {Str(u"Test Driver"), Str(u"DSN=Shared"), Bool(true)}).lVal, 0);
    EXPECT_NE(FileBytes(dir_ / "user.ini").find("[MyData]"), std::string::npos);
    EXPECT_NE(FileBytes(dir_ / "odbc.ini").find("[Shared]"), std::string::npos);
    EXPECT_EQ(call(u"AddDSN", {Str(u"No Such Driver"), Str(u"DSN=X"), Bool(false)}).lVal, 0);
    EXPECT_NE(call(u"RemoveDSN", {Str(u"Test Driver"), Str(u"MyData"), Bool(false)}).lVal, 0);
    EXPECT_NE(call(u"RemoveDSN", {Str(u"Test Driver"), Str(u"Shared"), Bool(true)}).lVal, 0);
    EXPECT_EQ(FileBytes(dir_ / "user.ini").find("[MyData]"), std::string::npos);
    EXPECT_EQ(FileBytes(dir_ / "odbc.ini").find("[Shared]"), std::string::npos);
}

TEST_F(TavrelSystem, FolderDialogFillsPathAndDisplayName) {
    ui_->folderAnswers = {u"/home/user/Projects", std::nullopt};
    Variant path = Str(u"old"), display = Str(u"old"), no = Bool(false);
    Variant chosen = call(u"BrowseFolder", {Str(u"Pick"), no, no, no, no, no, Ref(path), Ref(display)});
    EXPECT_EQ(chosen.boolVal, VARIANT_TRUE);
    EXPECT_EQ(Text(path), u"/home/user/Projects");
    EXPECT_EQ(Text(display), u"Projects");
    EXPECT_EQ(ui_->folderRequests, std::vector<std::u16string>{u"Pick"});
    EXPECT_EQ(call(u"BrowseFolderEx", {Str(u"Title"), Str(u"/tmp"), Ref(path)}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(Text(path), u"");
    EXPECT_EQ(call(u"BrowseFolder", {Str(u"P"), no, no, no, no, Bool(true), Ref(path), Ref(display)}).boolVal,
              VARIANT_FALSE);
}

TEST_F(TavrelSystem, RegistryValues) {
    const std::u16string key = u"HKCU\\Software\\Lumivar Test\\Deep\\";
    EXPECT_EQ(call(u"RegWrite", {Str(key + u"n"), Variant::fromInt(5)}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(u"RegRead", {Str(key + u"n")}).vt, VT_I4);
    EXPECT_EQ(call(u"RegRead", {Str(u"hkey_current_user\\Software\\Lumivar Test\\Deep\\n")}).lVal, 5);
    call(u"RegWrite", {Str(key + u"t"), Bool(true)});
    EXPECT_EQ(Text(call(u"RegRead", {Str(key + u"t")})), u"True");
    call(u"RegWrite", {Str(key), Variant::null()});
    EXPECT_EQ(Text(call(u"RegRead", {Str(key)})), u"");
    call(u"RegWrite", {Str(key + u"b"), automation::ByteArray("\x01\x02")});
    EXPECT_EQ(automation::TypeName(call(u"RegRead", {Str(key + u"b")})), u"Byte()");
    EXPECT_EQ(call(u"RegRead", {Str(u"HKU\\Software\\x")}).vt, VT_NULL);
    EXPECT_EQ(call(u"RegRead", {Str(u"HKCU\\x")}).vt, VT_NULL);
    EXPECT_EQ(call(u"RegWrite", {Str(u"HKXX\\Software\\x"), Long(1)}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(call(u"RegDelete", {Str(key + u"n")}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(u"RegDelete", {Str(key + u"n")}).boolVal, VARIANT_FALSE);
    EXPECT_EQ(call(u"RegDeleteTree", {Str(u"HKCU\\Software\\Lumivar Test")}).boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(u"RegRead", {Str(key + u"t")}).vt, VT_NULL);
    EXPECT_EQ(call(u"GetDefaultExchangeProfile").vt, VT_NULL);
    EXPECT_EQ(call(u"RegReadTree", {Str(u"HKCU\\Software\\Missing")}).pdispVal, nullptr);
}

}  // namespace
