// The marshalled dictionary format: little-endian records of keys and values, written to and
// read from a stream. Readers never trust a length: they read in bounded chunks, so what they
// allocate stays within what the stream delivered, and every malformed record is an error.
#pragma once

#include <cstddef>
#include <vector>

#include "components/dictionary/item_list.h"
#include "platform/automation/nesting.h"

namespace mossel {

// A failed step of writing or reading; the operation that catches it returns hr.
struct FormatFailure {
    HRESULT hr;
};

class RecordWriter {
public:
    explicit RecordWriter(IStream* stream) : stream_(stream) {}

    void writeBytes(const void* data, size_t size);
    void writeInteger(ULONGLONG value, int size);
    // Length and text: 2 × units + 2 bytes with a terminator, 0 for a null string.
    void writeString(BSTR text);
    // The key record: a string Variant.
    void writeKey(BSTR key);
    // The value record: the bare vt for Empty and Null, the array record for an array, the vt
    // and payload otherwise. An unsupported type fails with DISP_E_BADVARTYPE.
    void writeValue(const VARIANT& value);
    // The array record; DISP_E_BADVARTYPE for a value that is no array or has an element type
    // the format cannot hold.
    void writeArray(const VARIANT& value);

private:
    void writeObject(IUnknown* object);

    IStream* stream_;
};

class RecordReader {
public:
    explicit RecordReader(IStream* stream) : stream_(stream) {}

    // Exactly size bytes; a short read fails with E_FAIL.
    void readBytes(void* data, size_t size);
    ULONGLONG readInteger(int size);
    // size bytes read in bounded chunks, so a huge claimed size fails at the end of the stream
    // before much is allocated.
    std::vector<std::byte> readBlock(ULONGLONG size);
    Bstr readString();
    // A key record; a key whose type is not VT_BSTR fails with DISP_E_BADVARTYPE.
    Bstr readKey();
    Variant readValue();
    // The rest of an array record whose vt was read.
    Variant readArray(VARTYPE vt);

private:
    Variant readObject(VARTYPE vt);

    IStream* stream_;
};

// Guards the nesting of dictionaries being saved or loaded on this thread: deeper than the
// limit (a dictionary that holds itself, or a hostile stream) fails with E_FAIL.
class NestingGuard {
public:
    NestingGuard();

    static constexpr int kLimit = 200;

private:
    automation::NestingLevel<NestingGuard> level_;
};

// Writes the item count and every item; reads them back into an empty list.
void WriteItems(RecordWriter& writer, ItemList& items, IStream* stream);
void ReadItems(RecordReader& reader, ItemList& items);

// Grows a memory stream by 100000 bytes ahead of writing when less than that is left after
// the current position; other streams are left alone.
void ReserveSpace(IStream* stream);

}  // namespace mossel
