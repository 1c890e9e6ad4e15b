// The member table of IDictionary: late-bound calls reach the same slots as early-bound ones,
// and a failed slot's HRESULT comes back from Invoke unchanged.
#include "components/dictionary/dictionary_object.h"

namespace mossel {
namespace {

using automation::Arguments;
using automation::MemberAttributes;
using automation::Param;

void Check(HRESULT hr) {
    if (FAILED(hr)) throw automation::FailedResult{hr};
}

MemberAttributes Help(std::u16string text) { return {.hidden = false, .restricted = false, .helpString = std::move(text)}; }

const char16_t kItemHelp[] = u"Given an index, returns or sets an item in the collection.";
const MemberAttributes kDefaultDispatchAttributes{
    .hidden = true, .restricted = false, .helpString = u"Do not use this function. For internal use only."};

// The handlers hand the slots their own copies of the arguments.
Variant GetItem(Dictionary& self, Arguments& a) {
    Variant index(a[0]), result;
    Check(self.get_Item(&index, result.ptr()));
    return result;
}

template <HRESULT (Dictionary::*Put)(VARIANT*, VARIANT*)>
void PutItem(Dictionary& self, Arguments& a) {
    Variant index(a[0]), value(a[1]);
    Check((self.*Put)(&index, &value));
}

template <HRESULT (Dictionary::*Put)(VARIANT*)>
void PutDefault(Dictionary& self, Arguments& a) {
    Variant value(a[0]);
    Check((self.*Put)(&value));
}

template <HRESULT (Dictionary::*Call)(VARIANT*)>
void WithArgument(Dictionary& self, Arguments& a) {
    Variant index(a[0]);
    Check((self.*Call)(&index));
}

template <HRESULT (Dictionary::*Call)(BSTR)>
void WithFileName(Dictionary& self, Arguments& a) {
    Check((self.*Call)(a[0].bstrVal));
}

}  // namespace

const automation::DispatchTable& Dictionary::dispatchTable() {
    using B = automation::DispatchTable::Builder<Dictionary>;
    static const automation::DispatchTable table =
        B(u"IDictionary", IID_IDictionary)
            .help(u"IDictionary Interface")
            .method(u"Add", kAdd, {Param(u"Key", VT_BSTR), Param(u"Value")},
                    [](Dictionary& self, Arguments& a) {
                        Variant value(a[1]);
                        Check(self.Add(a[0].bstrVal, &value));
                    },
                    Help(u"Adds a key to the collection"))
            .method(u"Clear", kClear, {}, [](Dictionary& self, Arguments&) { Check(self.Clear()); },
                    Help(u"Empties all items in the dictionary"))
            .method(u"MarshallDictionary", kMarshallDictionary, {},
                    [](Dictionary& self, Arguments&) {
                        Variant bytes;
                        Check(self.MarshallDictionary(bytes.ptr()));
                        return bytes;
                    },
                    Help(u"Marshalls the current dictionary to a byte array"))
            .method(u"UnmarshallDictionary", kUnmarshallDictionary, {Param(u"vtByteArray")},
                    &WithArgument<&Dictionary::UnmarshallDictionary>,
                    Help(u"Clears the contents of the dictionary, and reads in a new dictionary from a byte array"))
            .method(u"Name", kName, {Param(u"Index")},
                    [](Dictionary& self, Arguments& a) {
                        Variant index(a[0]), name;
                        Check(self.Name(&index, &name.bstrVal));
                        name.vt = VT_BSTR;
                        return name;
                    },
                    Help(u"Returns the name of the item specified by Index"))
            .get(u"Count", kCount, {},
                 [](Dictionary& self, Arguments&) {
                     LONG count = 0;
                     Check(self.get_Count(&count));
                     return Variant::fromLong(count);
                 },
                 Help(u"Returns number of items in collection."))
            .method(u"Rename", kRename, {Param(u"Index"), Param(u"NewName", VT_BSTR)},
                    [](Dictionary& self, Arguments& a) {
                        Variant index(a[0]);
                        Check(self.Rename(&index, a[1].bstrVal));
                    },
                    Help(u"Renames the key indicated by Index"))
            .method(u"Remove", kRemove, {Param(u"Index")}, &WithArgument<&Dictionary::Remove>,
                    Help(u"Removes the item indicated by Index"))
            .method(u"UnmarshallDictionaryFromStream", kUnmarshallDictionaryFromStream,
                    {Param(u"bstrFileName", VT_BSTR)}, &WithFileName<&Dictionary::UnmarshallDictionaryFromStream>,
                    Help(u"Unmarshalls the dictionary from a binary file (the file must contain the raw data "
                         u"without any header information)"))
            .method(u"MarshallDictionaryToStream", kMarshallDictionaryToStream, {Param(u"bstrFileName", VT_BSTR)},
                    &WithFileName<&Dictionary::MarshallDictionaryToStream>,
                    Help(u"Marshalls the dictionary to a compound file. This file is designed to be read by "
                         u"UnmarshallDictionaryFromStream"))
            .putRef(u"Item", kItem, {Param(u"Index"), Param(u"newValue")}, &PutItem<&Dictionary::putref_Item>,
                    Help(kItemHelp))
            .get(u"Item", kItem, {Param(u"Index")}, &GetItem, Help(kItemHelp))
            .put(u"Item", kItem, {Param(u"Index"), Param(u"newValue")}, &PutItem<&Dictionary::put_Item>,
                 Help(kItemHelp))
            .get(u"_TavrelDefaultDispatch", kDefaultDispatch, {},
                 [](Dictionary& self, Arguments&) {
                     Variant result;
                     Check(self.get__TavrelDefaultDispatch(result.ptr()));
                     return result;
                 },
                 kDefaultDispatchAttributes)
            .put(u"_TavrelDefaultDispatch", kDefaultDispatch, {Param(u"newValue")},
                 &PutDefault<&Dictionary::put__TavrelDefaultDispatch>, kDefaultDispatchAttributes)
            .putRef(u"_TavrelDefaultDispatch", kDefaultDispatch, {Param(u"newValue")},
                    &PutDefault<&Dictionary::putref__TavrelDefaultDispatch>, kDefaultDispatchAttributes)
            .get(u"_NewEnum", kNewEnum, {},
                 [](Dictionary& self, Arguments&) {
                     ComPtr<IUnknown> enumerator;
                     Check(self.get__NewEnum(enumerator.put()));
                     return Variant::fromUnknown(enumerator.get());
                 },
                 {.hidden = false, .restricted = true, .helpString = u"returns an enumerator for the collection."})
            .build();
    return table;
}

}  // namespace mossel
