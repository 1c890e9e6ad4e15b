// The dictionary's items through its slots and late-bound: positions, folded keys, the put
// forms, unknown member names, enumeration and aggregation.
#include "components/dictionary/tests/dictionary_test_support.h"
#include "platform/automation/client.h"
#include "platform/automation/typename.h"
#include "tests/support/counted_object.h"

namespace {

using namespace dictionarytest;

Variant Pos(LONG n) { return Variant::fromLong(n); }

Variant ItemAt(IDictionary* d, Variant index, HRESULT expected = S_OK) {
    Variant value;
    EXPECT_EQ(expected, d->get_Item(index.ptr(), value.ptr()));
    return value;
}

std::u16string NameAt(IDictionary* d, Variant index) {
    Bstr name;
    EXPECT_EQ(S_OK, d->Name(index.ptr(), name.put()));
    return name.str();
}

TEST(DictionaryItems, EmptyDictionaryAndFoldedKeys) {
    auto d = NewDictionary();
    EXPECT_EQ(0, Count(d.get()));
    ItemAt(d.get(), Pos(1), DISP_E_BADINDEX);
    EXPECT_TRUE(ItemAt(d.get(), Str(u"x")).isEmpty());
    Bstr name;
    Variant x = Str(u"x");
    EXPECT_EQ(DISP_E_BADINDEX, d->Name(x.ptr(), name.put()));
    EXPECT_EQ(0, Count(d.get()));

    AddItem(d.get(), u"a", Variant::fromInt(1));
    AddItem(d.get(), u"A", Variant::fromInt(2));
    AddItem(d.get(), u"KEY", Variant::fromInt(3));
    AddItem(d.get(), u"\u00C6BLE", Variant::fromInt(4));
    EXPECT_EQ(1, ItemAt(d.get(), Str(u"A")).iVal);
    EXPECT_EQ(u"A", NameAt(d.get(), Pos(2)));
    EXPECT_EQ(3, ItemAt(d.get(), Str(u"key")).iVal);
    EXPECT_TRUE(ItemAt(d.get(), Str(u"\u00E6ble")).isEmpty());
    Variant a = Str(u"a");
    ASSERT_EQ(S_OK, d->Remove(a.ptr()));
    EXPECT_EQ(2, ItemAt(d.get(), Str(u"a")).iVal);
    EXPECT_EQ(u"A", NameAt(d.get(), Pos(1)));
    // A null string looks up the empty key; a null key is never found.
    AddItem(d.get(), nullptr, Variant::fromInt(5));
    AddItem(d.get(), u"", Variant::fromInt(6));
    Variant nullKey;
    nullKey.vt = VT_BSTR;
    nullKey.bstrVal = nullptr;
    EXPECT_EQ(6, ItemAt(d.get(), std::move(nullKey)).iVal);
}

TEST(DictionaryItems, IndexRuleAndPutForms) {
    auto d = NewDictionary();
    for (const char16_t* key : {u"a", u"b", u"c"}) AddItem(d.get(), key, Str(key));
    for (Variant bad : {Pos(0), Pos(-1), Pos(4), Variant::fromDouble(2), Variant::fromBool(true), Variant()})
        ItemAt(d.get(), bad, DISP_E_BADINDEX);
    EXPECT_EQ(u"b", ItemAt(d.get(), Variant::fromInt(2)).toString());
    Variant five = Pos(5), value = Str(u"v"), fresh = Str(u"new");
    EXPECT_EQ(DISP_E_BADINDEX, d->put_Item(five.ptr(), value.ptr()));
    ASSERT_EQ(S_OK, d->put_Item(fresh.ptr(), value.ptr()));
    EXPECT_EQ(u"new", NameAt(d.get(), Pos(4)));

    Variant first = Pos(1);
    Bstr b(u"b");
    ASSERT_EQ(S_OK, d->Rename(first.ptr(), b.get()));
    EXPECT_EQ(u"a", ItemAt(d.get(), Str(u"B")).toString());
    ASSERT_EQ(S_OK, d->Remove(first.ptr()));
    EXPECT_EQ(u"b", ItemAt(d.get(), Str(u"b")).toString());

    // put-reference moves the caller's reference into the item.
    testsupport::CountedObject object;
    Variant reference = Variant::fromDispatch(&object), key = Str(u"obj");
    ASSERT_EQ(S_OK, d->putref_Item(key.ptr(), reference.ptr()));
    EXPECT_TRUE(reference.isEmpty());
    EXPECT_EQ(2, object.references());
    ASSERT_EQ(S_OK, d->Clear());
    EXPECT_EQ(1, object.references());
}

TEST(DictionaryItems, WalkByPositionTakesOneStepPerItem) {
    auto d = NewDictionary();
    for (int i = 0; i < 1000; ++i) AddItem(d.get(), u"k", Pos(i));
    const auto* object = static_cast<mossel::Dictionary*>(d.get());
    const uint64_t before = object->walkSteps();
    for (LONG i = 1; i <= 1000; ++i) EXPECT_EQ(i - 1, ItemAt(d.get(), Pos(i)).lVal);
    EXPECT_EQ(999u, object->walkSteps() - before);
}

TEST(DictionaryItems, LateBoundMembersAndUnknownNames) {
    auto d = NewDictionary();
    IDispatch* o = d.get();
    EXPECT_EQ(u"IDictionary", automation::TypeName(Variant::fromDispatch(o)));
    Variant count[] = {Str(u"Count"), Pos(7)};
    automation::Call(o, u"Add", automation::Args(count));
    EXPECT_EQ(1, automation::Get(o, u"Count").lVal);  // the member, not the item
    automation::Put(o, u"Foo", Str(u"bar"));
    Variant foo[] = {Str(u"foo")};
    EXPECT_EQ(u"bar", automation::Get(o, u"Item", automation::Args(foo)).toString());
    const std::u16string longName(150, u'n');
    EXPECT_EQ(9999, automation::GetDispId(o, longName));
    automation::Put(o, longName, Pos(1));
    EXPECT_EQ(longName, NameAt(d.get(), Pos(3)));
    EXPECT_EQ(u"bar", automation::Get(o, u"foo").toString());

    Variant five[] = {Pos(5)};
    try {
        automation::Get(o, u"Item", automation::Args(five));
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(DISP_E_BADINDEX, error.hresult());
    }
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, o->GetTypeInfo(0, 0, info.put()));
    Bstr help;
    ASSERT_EQ(S_OK, info->GetDocumentation(mossel::kAdd, nullptr, help.put(), nullptr, nullptr));
    EXPECT_EQ(u"Adds a key to the collection", help.str());
}

TEST(DictionaryItems, EnumerationIsASnapshotOfTheValues) {
    auto d = NewDictionary();
    for (LONG i = 1; i <= 3; ++i) AddItem(d.get(), u"k", Pos(i));
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, d->get__NewEnum(unknown.put()));
    ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(S_OK, unknown.queryInterface(IID_IEnumVARIANT, e));
    AddItem(d.get(), u"later", Pos(4));
    Variant values[4];
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, e->Next(4, values[0].ptr(), &fetched));
    ASSERT_EQ(3u, fetched);
    EXPECT_EQ(3, values[2].lVal);
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(2));
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(S_OK, e->Clone(clone.put()));
    EXPECT_EQ(S_OK, clone->Next(1, values[0].ptr(), nullptr));
    EXPECT_EQ(3, values[0].lVal);
    EXPECT_EQ(S_FALSE, e->Skip(5));
    EXPECT_EQ(E_POINTER, e->Next(2, values[0].ptr(), nullptr));
}

TEST(DictionaryItems, AggregatedObjectDelegatesToItsOuterObject) {
    testsupport::CountedObject outer;
    void* raw = nullptr;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, mossel::Dictionary::CreateInstance(&outer, IID_IDictionary, &raw));
    ASSERT_EQ(S_OK, mossel::Dictionary::CreateInstance(&outer, IID_IUnknown, &raw));
    ComPtr<IUnknown> inner = ComPtr<IUnknown>::attach(static_cast<IUnknown*>(raw));
    ComPtr<IPersistStream> persist;
    ASSERT_EQ(S_OK, inner.queryInterface(IID_IPersistStream, persist));
    EXPECT_EQ(2, outer.references());
    ComPtr<IDictionary> viaOuter;
    EXPECT_EQ(E_NOINTERFACE, persist.queryInterface(IID_IDictionary, viaOuter));  // the outer's answer
    persist.reset();
    EXPECT_EQ(1, outer.references());
}

}  // namespace
