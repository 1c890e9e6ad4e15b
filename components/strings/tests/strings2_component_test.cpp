// The component module quillon: registration, creation by ProgID, the interface _Strings2
// both late-bound and through its slots, errors as result codes, and unregistration.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "components/strings/strings2_interface.h"
#include "components/strings/tests/strings_test_support.h"
#include "platform/automation/client.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/automation/typename.h"
#include "platform/com/creation.h"
#include "platform/com/registry_keys.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stringstest;
using com::detail::KeyExists;
using com::detail::ReadString;

constexpr const char* kModule = QUILLON_PATH;
constexpr const char* kRegsvr = REGSVR_PATH;
constexpr char16_t kClassKey[] = u"CLSID\\{11524303-AB88-4D7C-95A2-CB8553610477}";

HRESULT CallModuleEntry(const char* entry) {
    void* handle = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        ADD_FAILURE() << dlerror();
        return E_FAIL;
    }
    auto call = reinterpret_cast<HRESULT (*)()>(dlsym(handle, entry));
    const HRESULT result = call ? call() : E_NOTIMPL;
    dlclose(handle);
    return result;
}

int RunRegsvr(const std::string& options) {
    const std::string command = std::string(kRegsvr) + " " + options + " " + kModule + " >/dev/null";
    return std::system(command.c_str());
}

std::u16string Key(std::u16string_view sub) { return std::u16string(kClassKey) + u"\\" + std::u16string(sub); }

// A registry of the test's own with quillon registered in it.
class Quillon : public ::testing::Test {
protected:
    Quillon() { EXPECT_EQ(S_OK, CallModuleEntry("DllRegisterServer")); }

    ComPtr<IDispatch> create() { return com::CreateObject(strings2::kProgId); }

    testsupport::TempRegistry registry_;
};

TEST_F(Quillon, RegistrationWritesTheKeysOfAnInProcessClass) {
    const std::u16string clsid = GuidToString(CLSID_Strings2);
    EXPECT_EQ(clsid, ReadString(HKEY_CLASSES_ROOT, u"Tavrel.Strings2\\CLSID"));
    EXPECT_EQ(u"Tavrel.Strings2.1", ReadString(HKEY_CLASSES_ROOT, u"Tavrel.Strings2\\CurVer"));
    EXPECT_EQ(clsid, ReadString(HKEY_CLASSES_ROOT, u"Tavrel.Strings2.1\\CLSID"));
    const auto module = ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32"));
    ASSERT_TRUE(module);
    EXPECT_EQ(std::filesystem::canonical(kModule).string(), text::TextToAnsi(*module));
    EXPECT_EQ(u"Apartment", ReadString(HKEY_CLASSES_ROOT, Key(u"InprocServer32"), u"ThreadingModel"));
    EXPECT_EQ(u"Tavrel.Strings2.1", ReadString(HKEY_CLASSES_ROOT, Key(u"ProgID")));
    EXPECT_EQ(u"Tavrel.Strings2", ReadString(HKEY_CLASSES_ROOT, Key(u"VersionIndependentProgID")));
    EXPECT_EQ(u"{774FBEC9-5AAB-4776-ACD3-B37769737076}", ReadString(HKEY_CLASSES_ROOT, Key(u"TypeLib")));
    const std::u16string library = u"TypeLib\\{774FBEC9-5AAB-4776-ACD3-B37769737076}\\1.0";
    EXPECT_EQ(u"Tavrel.Strings COM Component (ver 1.0)", ReadString(HKEY_CLASSES_ROOT, library));
    EXPECT_EQ(u"_Strings2", ReadString(HKEY_CLASSES_ROOT, u"Interface\\{E1924FEC-3807-440A-9985-DEE78FF83539}"));
}

TEST_F(Quillon, CreatedByEitherProgId) {
    const ComPtr<IDispatch> object = create();
    ASSERT_TRUE(object);
    EXPECT_EQ(u"_Strings2", automation::TypeName(Variant::fromDispatch(object.get())));
    ASSERT_TRUE(com::CreateObject(u"Tavrel.Strings2.1"));
    ComPtr<_Strings2> dual;
    EXPECT_EQ(S_OK, object.queryInterface(IID__Strings2, dual));
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, object.queryInterface(IID_ISupportErrorInfo, support));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID__Strings2));
}

TEST_F(Quillon, MembersHaveTheirDispids) {
    const ComPtr<IDispatch> object = create();
    const std::pair<const char16_t*, DISPID> members[] = {
        {u"TrimZ", 0x60030000},     {u"StringEncode", 0x60030001}, {u"StringDecode", 0x60030002},
        {u"Encode", 0x60030003},    {u"Decode", 0x60030004},       {u"EncodeCSV", 0x60030005},
        {u"DecodeCSV", 0x60030006}, {u"EncodeSQL", 0x60030007},    {u"DecodeSQL", 0x60030008},
        {u"EncodeHex", 0x60030009}, {u"DecodeHex", 0x6003000A},    {u"RPad", 0x6003000C},
        {u"ParseParameters", 0x6003000D}, {u"ByteArray2Str", 0x6003000E}, {u"StrConvEx", 0x6003000F}, {u"SplitLine", 0x60030010},
        {u"Char2OemBuff", 0x60030012},  {u"Oem2CharBuff", 0x60030013},
    };
    for (const auto& [name, id] : members) EXPECT_EQ(id, automation::GetDispId(object.get(), name)) << ::testing::PrintToString(std::u16string(name));
    EXPECT_EQ(0x6003000F, automation::GetDispId(object.get(), u"strconvex"));
    EXPECT_TRUE(Raises([&] { automation::GetDispId(object.get(), u"EncodeHTML"); }, 438));
    // The private procedures are not callable.
    for (DISPID id : {0x6003000B, 0x60030011}) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
                  object->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
    }
}

TEST_F(Quillon, TypeInformationNamesTheInterface) {
    const ComPtr<IDispatch> object = create();
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, object->GetTypeInfo(0, 0, info.put()));
    Bstr name;
    ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr));
    EXPECT_EQ(u"_Strings2", name.str());
    ASSERT_EQ(S_OK, info->GetDocumentation(0x60030010, name.put(), nullptr, nullptr, nullptr));
    EXPECT_EQ(u"SplitLine", name.str());
}

class LateBound : public Quillon {
protected:
    Variant call(std::u16string_view name, std::vector<Variant> args) {
        std::vector<VARIANT> raw(args.begin(), args.end());  // shallow: args keeps ownership
        return automation::Call(object_.get(), name, raw);
    }
    std::u16string text(std::u16string_view name, std::vector<Variant> args) { return TextOf(call(name, std::move(args))); }

    ComPtr<IDispatch> object_ = create();
};

TEST_F(LateBound, EveryMember) {
    WesternCodePages pages;
    EXPECT_EQ(u"abc", text(u"TrimZ", {Str(std::u16string(u"abc\0def", 7))}));
    EXPECT_EQ(u"a\t\tb", text(u"StringEncode", {ArrayOf(VT_BSTR, {Str(u"a"), Str(u""), Str(u"b")})}));
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"", u"b"}), TextsOf(call(u"StringDecode", {Str(u"a\t\tb")})));
    EXPECT_EQ(VT_ARRAY | VT_BSTR, call(u"StringDecode", {Str(u"a")}).vt);
    EXPECT_EQ(u"a,,b", text(u"Encode", {Str(u"a,b"), Str(u",")}));
    EXPECT_EQ(u"a,,b", text(u"Decode", {Str(u"a,,,b"), Str(u",")}));
    EXPECT_EQ(u"say \"\"hi\"\"", text(u"EncodeCSV", {Str(u"say \"hi\"")}));
    EXPECT_EQ(u"say \"hi\"", text(u"DecodeCSV", {Str(u"say \"\"hi\"\"")}));
    EXPECT_EQ(u"O''Brien", text(u"EncodeSQL", {Str(u"O'Brien")}));
    EXPECT_EQ(u"O'Brien", text(u"DecodeSQL", {Str(u"O''Brien")}));
    EXPECT_EQ(u"4142", text(u"EncodeHex", {Str(u"AB")}));
    EXPECT_EQ(u"AB", text(u"DecodeHex", {Str(u"4142")}));
    EXPECT_EQ(u"ab***", text(u"RPad", {Str(u"ab"), Str(u"*"), Long(5)}));
    EXPECT_EQ(u"AB", text(u"ByteArray2Str", {ByteArray("AB")}));
    EXPECT_EQ(u"\u4241", text(u"ByteArray2Str", {ByteArray(std::string("A\0B\0", 4)), Variant::fromBool(true)}));
    EXPECT_EQ(u"Hello World", text(u"StrConvEx", {Str(u"hello world"), Long(3)}));
    EXPECT_EQ(u"HELLO WORLD", text(u"StrConvEx", {Str(u"hello world"), Long(1), Long(0x0409)}));
    const Variant fields = call(u"SplitLine", {Str(u"\"x,y\",z"), Str(u","), Str(u"\"")});
    EXPECT_EQ(VT_ARRAY | VT_VARIANT, fields.vt);
    EXPECT_EQ((std::vector<std::u16string>{u"x,y", u"z"}), TextsOf(fields));
    EXPECT_EQ(u"\u2018", text(u"Char2OemBuff", {Str(u"æ")}));
    EXPECT_EQ(u"æ", text(u"Oem2CharBuff", {Str(u"\u2018")}));
}

TEST_F(LateBound, ErrorsCarryNumberAndSource) {
    struct Case {
        const char16_t* member;
        std::vector<Variant> args;
        LONG number;
    };
    const Case cases[] = {
        {u"TrimZ", {Variant::null()}, 13},
        {u"Encode", {Variant::null(), Str(u",")}, 94},
        {u"Decode", {Str(u"a"), ArrayOf(VT_I4, {Long(1)})}, 13},
        {u"StringEncode", {Str(u"not an array")}, 13},
        {u"StringEncode", {ArrayOf(VT_VARIANT, {Str(u"a"), Variant::null()})}, 94},
        {u"StringDecode", {Variant::null()}, 94},
        {u"RPad", {Str(u"ab"), Str(u""), Long(5)}, 5},
        {u"RPad", {Str(u"ab"), Str(u"*"), Str(u"x")}, 13},
        {u"StrConvEx", {Str(u"x"), Long(4 + 8)}, 5},
        {u"StrConvEx", {Str(u"x"), Str(u"x")}, 13},
        {u"SplitLine", {Str(std::u16string(40000, u',')), Str(u","), Str(u"\"")}, 6},
    };
    for (const Case& c : cases) {
        const std::u16string member(c.member);
        EXPECT_TRUE(Raises([&] { call(member, c.args); }, c.number, u"Tavrel.Strings2->" + member))
            << ::testing::PrintToString(member);
    }
    // The CSV and SQL forms raise again what Encode and Decode raised.
    EXPECT_TRUE(Raises([&] { call(u"EncodeCSV", {Variant::null()}); }, 94, u"Tavrel.Strings2->Encode"));
}

TEST_F(LateBound, InvokeReportsErrorsInExcepInfoOrAsResult) {
    Variant null = Variant::null();
    DISPPARAMS params{null.ptr(), nullptr, 1, 0};
    Variant result;
    EXCEPINFO info{};
    ASSERT_EQ(DISP_E_EXCEPTION, object_->Invoke(strings2::kEncodeCSV, GUID_NULL, 0, DISPATCH_METHOD, &params,
                                                result.ptr(), &info, nullptr));
    const ComError error = ComError::fromExcepInfo(info);
    EXPECT_EQ(HRESULT(0x800A005E), error.hresult());
    EXPECT_EQ(u"Invalid use of Null", error.description());

    ASSERT_EQ(HRESULT(0x800A005E), object_->Invoke(strings2::kEncodeCSV, GUID_NULL, 0, DISPATCH_METHOD, &params,
                                                   result.ptr(), nullptr, nullptr));
    ComPtr<IErrorInfo> errorInfo;
    ASSERT_EQ(S_OK, GetErrorInfo(0, errorInfo.put()));
    Bstr source, description;
    errorInfo->GetSource(source.put());
    errorInfo->GetDescription(description.put());
    EXPECT_EQ(u"Tavrel.Strings2->Encode", source.str());
    EXPECT_EQ(u"Invalid use of Null", description.str());
}

// An object whose default value is a text, and one without a default value.
class Named : public automation::DispatchObject<Named> {
public:
    static const automation::DispatchTable& dispatchTable() {
        static const IID iid{0x1, 0x2, 0x3, {0, 0, 0, 0, 0, 0, 0, 4}};
        static const automation::DispatchTable table =
            automation::DispatchTable::Builder<Named>(u"INamed", iid)
                .get(u"Value", DISPID_VALUE, {}, [](Named&, automation::Arguments&) { return Variant::fromString(u"x,y"); })
                .build();
        return table;
    }
};

class Nameless : public automation::DispatchObject<Nameless> {
public:
    static const automation::DispatchTable& dispatchTable() {
        static const IID iid{0x1, 0x2, 0x3, {0, 0, 0, 0, 0, 0, 0, 5}};
        static const automation::DispatchTable table =
            automation::DispatchTable::Builder<Nameless>(u"INameless", iid)
                .method(u"Other", 1, {}, [](Nameless&, automation::Arguments&) { return Variant(); })
                .build();
        return table;
    }
};

TEST_F(LateBound, ArgumentConversions) {
    EXPECT_EQ(u"x,,y", text(u"Encode", {Variant::fromDispatch(Named::create().get()), Str(u",")}));
    EXPECT_TRUE(Raises([&] { call(u"Encode", {Variant::fromDispatch(Nameless::create().get()), Str(u",")}); }, 13,
                       u"Tavrel.Strings2->Encode"));
    EXPECT_EQ(u"True", text(u"Encode", {Variant::fromBool(true), Str(u",")}));
    EXPECT_EQ(u"", text(u"Encode", {Variant(), Str(u",")}));
    EXPECT_EQ(u"2.5", text(u"TrimZ", {Variant::fromDouble(2.5)}));
    // Parameters declared as String convert on the way in; Null does not convert.
    EXPECT_EQ(u"3635", text(u"EncodeHex", {Long(65)}));
    EXPECT_TRUE(Raises([&] { call(u"EncodeHex", {Variant::null()}); }, 13));
    EXPECT_TRUE(Raises([&] { call(u"ByteArray2Str", {Str(u"AB")}); }, 13));
    EXPECT_TRUE(Raises([&] { call(u"RPad", {Str(u"ab"), Str(u"*")}); }, 450));
}

TEST_F(LateBound, OnlyTheOemMethodsWriteBackTheirArgument) {
    WesternCodePages pages;
    Variant source = Str(u"\u0101\u2018");
    Variant reference = Variant::byReference(VT_BSTR, &source.bstrVal);
    EXPECT_EQ(u"?æ", TextOf(automation::Call(object_.get(), u"Oem2CharBuff", {reference.ptr(), 1})));
    EXPECT_EQ(u"?\u2018", BstrView(source.bstrVal));

    Variant number = Long(12);
    Variant args[2] = {Variant::byReference(VT_VARIANT, number.ptr()), Str(u"1")};
    EXPECT_EQ(u"112", TextOf(automation::Call(object_.get(), u"Encode", automation::Args(args))));
    EXPECT_EQ(VT_I4, number.vt);
}

class ThroughSlots : public Quillon {
protected:
    ThroughSlots() { EXPECT_EQ(S_OK, create().queryInterface(IID__Strings2, s_)); }
    // A result slot: what it held is released first, as an [out] argument is written over.
    static VARIANT* out(Variant& result) {
        result.clear();
        return result.ptr();
    }
    ComPtr<_Strings2> s_;
};

TEST_F(ThroughSlots, SlotsCallTheSameMembers) {
    WesternCodePages pages;
    Variant result;
    ASSERT_EQ(S_OK, s_->TrimZ(Str(std::u16string(u"ab\0c", 4)), out(result)));
    EXPECT_EQ(u"ab", TextOf(result));

    Variant text = Str(u"a,b"), comma = Str(u",");
    ASSERT_EQ(S_OK, s_->Encode(text.ptr(), comma.ptr(), out(result)));
    EXPECT_EQ(u"a,,b", TextOf(result));

    Bstr hex(u"AB"), hexResult;
    BSTR hexRaw = hex.get();
    ASSERT_EQ(S_OK, s_->EncodeHex(&hexRaw, hexResult.put()));
    EXPECT_EQ(u"4142", hexResult.str());
    EXPECT_EQ(hex.get(), hexRaw);

    Bstr line(u"a;'b;c'"), delimiter(u";"), qualifier(u"'");
    BSTR lineRaw = line.get(), delimiterRaw = delimiter.get(), qualifierRaw = qualifier.get();
    ASSERT_EQ(S_OK, s_->SplitLine(&lineRaw, &delimiterRaw, &qualifierRaw, out(result)));
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"b;c"}), TextsOf(result));

    Variant conversion = Long(1);
    ASSERT_EQ(S_OK, s_->StrConvEx(text.ptr(), conversion.ptr(), nullptr, out(result)));
    EXPECT_EQ(u"A,B", TextOf(result));

    Variant bytes = ByteArray(std::string("A\0B\0", 4));
    Bstr packed;
    VARIANT_BOOL unicode = VARIANT_TRUE;
    ASSERT_EQ(S_OK, s_->ByteArray2Str(&bytes.parray, &unicode, packed.put()));
    EXPECT_EQ(u"\u4241", packed.str());
    ASSERT_EQ(S_OK, s_->ByteArray2Str(&bytes.parray, nullptr, packed.put()));
    EXPECT_EQ(std::u16string(u"A\0B\0", 4), packed.str());

    Variant source = Str(u"\u0101æ");
    Bstr oem;
    ASSERT_EQ(S_OK, s_->Char2OemBuff(&source.bstrVal, oem.put()));
    EXPECT_EQ(u"?\u2018", oem.str());
    EXPECT_EQ(u"?æ", BstrView(source.bstrVal));
}

TEST_F(ThroughSlots, ErrorsAreResultsWithErrorInformation) {
    Variant text = Str(u"ab"), empty = Str(u""), length = Long(5), result;
    ASSERT_EQ(HRESULT(0x800A0005), s_->RPad(text.ptr(), empty.ptr(), length.ptr(), out(result)));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, info.put()));
    Bstr source, description;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    EXPECT_EQ(u"Tavrel.Strings2->RPad", source.str());
    EXPECT_EQ(u"Invalid procedure call or argument", description.str());

    Variant null = Variant::null();
    EXPECT_EQ(HRESULT(0x800A005E), s_->DecodeSQL(null.ptr(), out(result)));
    EXPECT_EQ(HRESULT(0x800A000D), s_->TrimZ(null, out(result)));
    EXPECT_EQ(E_POINTER, s_->EncodeSQL(nullptr, out(result)));
    EXPECT_EQ(E_POINTER, s_->EncodeSQL(text.ptr(), nullptr));
    // Without the dictionary component registered, ParseParameters raises 429.
    EXPECT_EQ(HRESULT(0x800A01AD), s_->ParseParameters(nullptr, out(result)));
}

TEST_F(Quillon, ModuleMayUnloadOnceItsObjectsAreGone) {
    ComPtr<IDispatch> object = create();
    void* handle = dlopen(kModule, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nullptr, handle);
    auto canUnload = reinterpret_cast<HRESULT (*)()>(dlsym(handle, "DllCanUnloadNow"));
    ASSERT_NE(nullptr, canUnload);
    EXPECT_EQ(S_FALSE, canUnload());
    object.reset();
    EXPECT_EQ(S_OK, canUnload());
    dlclose(handle);
}

TEST_F(Quillon, UnregisteredClassIsNoLongerCreated) {
    ASSERT_TRUE(create());
    ASSERT_EQ(S_OK, CallModuleEntry("DllUnregisterServer"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Tavrel.Strings2"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"Tavrel.Strings2.1"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, u"CLSID"));
    // The ProgID is gone with the class, so the name itself is unknown now...
    CLSID clsid;
    EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromProgID(u"Tavrel.Strings2", &clsid));
    const ComError error = testsupport::ErrorOf([&] { create(); });
    EXPECT_EQ(CO_E_CLASSSTRING, error.hresult());
    EXPECT_EQ(u"Invalid class string", error.description());
    // ... and the class ID is not registered.
    ComPtr<IDispatch> object;
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(CLSID_Strings2, nullptr, CLSCTX_ALL, IID_IDispatch, object.putVoid()));
}

TEST(QuillonRegistrationTool, RegistersAndUnregistersTheModule) {
    testsupport::TempRegistry registry;
    ASSERT_EQ(0, RunRegsvr(""));
    EXPECT_TRUE(com::CreateObject(strings2::kProgId));
    ASSERT_EQ(0, RunRegsvr("-u"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_TRUE(Raises([] { com::CreateObject(strings2::kProgId); }, LONG(CO_E_CLASSSTRING)));
}

}  // namespace
