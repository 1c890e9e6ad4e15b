#include "platform/scripting/scripting_dictionary.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "platform/automation/client.h"
#include "platform/automation/typename.h"
#include "tests/support/raised_error.h"

using automation::Call;
using automation::Get;
using automation::Put;
using testsupport::ErrorNumberOf;

namespace {

ComPtr<IDispatch> newDictionary() {
    ComPtr<IDispatch> d;
    EXPECT_EQ(scripting::CreateScriptingDictionary(IID_IDispatch, d.putVoid()), S_OK);
    return d;
}

Variant str(std::u16string_view s) { return Variant::fromString(s); }
std::span<VARIANT> one(Variant& v) { return {v.ptr(), 1}; }

void add(IDispatch* d, Variant key, Variant value) {
    std::array<Variant, 2> args{std::move(key), std::move(value)};
    Call(d, u"Add", automation::Args(args));
}

Variant item(IDispatch* d, Variant key) { return Get(d, u"Item", one(key)); }

}  // namespace

TEST(ScriptingDictionary, KeepsFirstInsertionOrderAndExactKeys) {
    auto d = newDictionary();
    add(d.get(), str(u"b"), Variant::fromLong(1));
    add(d.get(), str(u"a"), Variant::fromLong(2));
    add(d.get(), str(u"B"), Variant::fromLong(3));
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 3);
    EXPECT_EQ(item(d.get(), str(u"B")).lVal, 3);
    EXPECT_EQ(item(d.get(), str(u"b")).lVal, 1);
    Variant keys = Call(d.get(), u"Keys");
    ASSERT_EQ(keys.vt, VT_ARRAY | VT_VARIANT);
    auto* cells = static_cast<VARIANT*>(keys.parray->pvData);
    EXPECT_EQ(BstrView(cells[0].bstrVal), u"b");
    EXPECT_EQ(BstrView(cells[1].bstrVal), u"a");
    EXPECT_EQ(BstrView(cells[2].bstrVal), u"B");
}

TEST(ScriptingDictionary, AbsentKeyReadsEmptyWithoutAddingIt) {
    auto d = newDictionary();
    EXPECT_TRUE(item(d.get(), str(u"missing")).isEmpty());
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 0);
}

TEST(ScriptingDictionary, AssignmentReplacesOrAppendsButAddRefusesADuplicate) {
    auto d = newDictionary();
    add(d.get(), str(u"k"), Variant::fromLong(1));
    Variant key = str(u"k");
    Put(d.get(), u"Item", Variant::fromLong(5), one(key));
    Variant other = str(u"new");
    Put(d.get(), u"Item", str(u"x"), one(other));
    EXPECT_EQ(item(d.get(), str(u"k")).lVal, 5);
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 2);
    EXPECT_EQ(ErrorNumberOf([&] { add(d.get(), str(u"k"), Variant::fromLong(9)); }), 457);
    EXPECT_EQ(item(d.get(), str(u"k")).lVal, 5);
}

TEST(ScriptingDictionary, NumericKeysMatchByValue) {
    auto d = newDictionary();
    add(d.get(), Variant::fromLong(1), str(u"one"));
    Variant asDouble = Variant::fromDouble(1.0);
    EXPECT_EQ(BstrView(Get(d.get(), u"Item", one(asDouble)).bstrVal), u"one");
    EXPECT_TRUE(item(d.get(), str(u"1")).isEmpty());  // text is not a number key
}

TEST(ScriptingDictionary, RemoveRenameAndTheirErrors) {
    auto d = newDictionary();
    add(d.get(), str(u"a"), Variant::fromLong(1));
    add(d.get(), str(u"b"), Variant::fromLong(2));
    Variant a = str(u"a");
    Put(d.get(), u"Key", str(u"z"), one(a));
    EXPECT_EQ(item(d.get(), str(u"z")).lVal, 1);
    Variant b = str(u"b");
    EXPECT_EQ(ErrorNumberOf([&] { Put(d.get(), u"Key", str(u"z"), one(b)); }), 457);
    Variant gone = str(u"gone");
    EXPECT_EQ(ErrorNumberOf([&] { Call(d.get(), u"Remove", one(gone)); }), 32811);
    Call(d.get(), u"Remove", one(b));
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 1);
    Call(d.get(), u"RemoveAll");
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 0);
}

TEST(ScriptingDictionary, TextCompareModeOnlyWhileEmpty) {
    auto d = newDictionary();
    Put(d.get(), u"CompareMode", Variant::fromLong(1));
    add(d.get(), str(u"Key"), Variant::fromLong(1));
    EXPECT_EQ(item(d.get(), str(u"KEY")).lVal, 1);
    EXPECT_EQ(ErrorNumberOf([&] { Put(d.get(), u"CompareMode", Variant::fromLong(0)); }), 5);
}

TEST(ScriptingDictionary, EnumerationVisitsKeysAndTypeNameIsDictionary) {
    auto d = newDictionary();
    add(d.get(), str(u"x"), Variant::fromLong(1));
    add(d.get(), str(u"y"), Variant::fromLong(2));
    auto e = automation::Enumerate(d.get());
    std::array<Variant, 3> got;
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(3, automation::Args(got).data(), &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(BstrView(got[0].bstrVal), u"x");
    EXPECT_EQ(BstrView(got[1].bstrVal), u"y");
    EXPECT_EQ(automation::TypeName(Variant::fromDispatch(d.get())), u"Dictionary");
}

TEST(ScriptingDictionary, ObjectValuesKeepOneReference) {
    auto d = newDictionary();
    auto inner = newDictionary();
    add(d.get(), str(u"child"), Variant::fromDispatch(inner.get()));
    Variant back = item(d.get(), str(u"child"));
    ASSERT_EQ(back.vt, VT_DISPATCH);
    EXPECT_EQ(back.pdispVal, inner.get());
    back.clear();
    inner.get()->AddRef();
    EXPECT_EQ(inner.get()->Release(), 2u);  // the test's and the dictionary's
}

TEST(ScriptingDictionary, KeysStayFoundAfterRemovalsAndRenames) {
    auto d = newDictionary();
    Variant nan = Variant::fromDouble(std::nan(""));
    add(d.get(), str(u"first"), Variant::fromLong(0));
    add(d.get(), Variant::fromBool(true), Variant::fromLong(1));
    add(d.get(), Variant::fromDouble(0.0), Variant::fromLong(2));
    add(d.get(), Variant(), Variant::fromLong(3));
    add(d.get(), nan, Variant::fromLong(4));
    add(d.get(), nan, Variant::fromLong(5));  // NaN matches nothing, not even NaN
    Variant first = str(u"first");
    Call(d.get(), u"Remove", one(first));
    Variant minusOne = Variant::fromLong(-1);
    Put(d.get(), u"Key", str(u"renamed"), one(minusOne));
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 5);
    EXPECT_EQ(item(d.get(), str(u"renamed")).lVal, 1);
    EXPECT_TRUE(item(d.get(), Variant::fromBool(true)).isEmpty());
    EXPECT_EQ(item(d.get(), Variant::fromDouble(-0.0)).lVal, 2);
    EXPECT_EQ(item(d.get(), Variant()).lVal, 3);
    EXPECT_EQ(Get(d.get(), u"Count").lVal, 5);
}
