// Unmarshals arbitrary bytes into a dictionary. A failed load must leave it empty; a load that
// succeeds must marshal again, and those bytes must load and marshal to themselves.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "components/dictionary/dictionary_object.h"
#include "platform/automation/arrays.h"
#include "platform/com/creation.h"

namespace {

ComPtr<IDictionary> NewDictionary() {
    ComPtr<IDictionary> dictionary;
    if (FAILED(mossel::Dictionary::CreateInstance(nullptr, IID_IDictionary, dictionary.putVoid()))) __builtin_trap();
    return dictionary;
}

LONG CountOf(IDictionary* dictionary) {
    LONG count = -1;
    dictionary->get_Count(&count);
    return count;
}

std::string_view BytesOf(const VARIANT& array) {
    return {static_cast<const char*>(array.parray->pvData), array.parray->rgsabound[0].cElements};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Nested dictionaries are created by their class ID.
    static const bool registered = [] {
        RegisterBuiltinClass(u"Tavrel.Dictionary", CLSID_Dictionary, [](REFIID riid, void** ppv) {
            return mossel::Dictionary::CreateInstance(nullptr, riid, ppv);
        });
        return true;
    }();
    (void)registered;

    const ComPtr<IDictionary> dictionary = NewDictionary();
    Variant input = automation::ByteArray(std::string_view(reinterpret_cast<const char*>(data), size));
    if (FAILED(dictionary->UnmarshallDictionary(input.ptr()))) {
        if (CountOf(dictionary.get()) != 0) __builtin_trap();
        return 0;
    }
    Variant first, second;
    if (FAILED(dictionary->MarshallDictionary(first.ptr()))) __builtin_trap();
    const ComPtr<IDictionary> copy = NewDictionary();
    if (FAILED(copy->UnmarshallDictionary(first.ptr()))) __builtin_trap();
    if (CountOf(copy.get()) != CountOf(dictionary.get())) __builtin_trap();
    if (FAILED(copy->MarshallDictionary(second.ptr()))) __builtin_trap();
    if (BytesOf(first) != BytesOf(second)) __builtin_trap();
    return 0;
}
