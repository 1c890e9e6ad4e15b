#include "components/dictionary/marshalled_format.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "platform/automation/safearray.h"
#include "platform/storage/memory_stream.h"
#include "platform/storage/object_stream.h"

namespace mossel {
namespace {

// Array data is written as it stands in memory; the format's numbers are little-endian.
static_assert(std::endian::native == std::endian::little, "array data is written in memory order");

constexpr ULONG kChunk = 65536;
constexpr ULONGLONG kReserveStep = 100000;
constexpr int kDescriptorBytes = 24;

[[noreturn]] void Fail(HRESULT hr) { throw FormatFailure{hr}; }

void Check(HRESULT hr) {
    if (FAILED(hr)) Fail(hr);
}

// The payload size of a Variant record with a fixed-size payload; 0 for the others.
int FixedPayloadSize(VARTYPE vt) {
    switch (vt) {
    case VT_UI1:
    case VT_I1: return 1;
    case VT_I2:
    case VT_BOOL:
    case VT_UI2: return 2;
    case VT_I4:
    case VT_R4:
    case VT_ERROR:
    case VT_UI4:
    case VT_INT:
    case VT_UINT: return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE: return 8;
    default: return 0;
    }
}

// Types written as their text; the record keeps the type.
bool IsWrittenAsText(VARTYPE vt) { return vt == VT_DECIMAL || vt == VT_I8 || vt == VT_UI8; }

// Element types an array record can hold: each has a fixed size. Arrays of Empty or Null
// elements cannot be made on this platform and have no element size, so they are refused too.
bool IsArrayElementType(VARTYPE vt) {
    switch (vt) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UI1: return true;
    default: return false;
    }
}

VARTYPE ElementTypeOf(VARTYPE vt) { return VARTYPE(vt & ~(VT_ARRAY | VT_BYREF)); }

// The product of the element counts, or nothing when it passes 32 bits.
bool ElementTotal(const SAFEARRAYBOUND* bounds, USHORT dims, ULONGLONG& total) {
    total = 1;
    for (USHORT i = 0; i < dims; ++i) {
        total *= bounds[i].cElements;
        if (total > std::numeric_limits<ULONG>::max()) return false;
    }
    return true;
}

struct ArrayDestroyer {
    void operator()(SAFEARRAY* array) const { SafeArrayDestroy(array); }
};
using ArrayPtr = std::unique_ptr<SAFEARRAY, ArrayDestroyer>;

class ArrayLock {
public:
    explicit ArrayLock(SAFEARRAY* array) : array_(array) { Check(SafeArrayLock(array)); }
    ~ArrayLock() { SafeArrayUnlock(array_); }
    ArrayLock(const ArrayLock&) = delete;
    ArrayLock& operator=(const ArrayLock&) = delete;

private:
    SAFEARRAY* array_;
};

}  // namespace

NestingGuard::NestingGuard() {
    if (level_.depth() > kLimit) Fail(E_FAIL);
}

// ---- writing --------------------------------------------------------------------------------

void RecordWriter::writeBytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const std::byte*>(data);
    while (size > 0) {
        const ULONG part = ULONG(std::min<size_t>(size, std::numeric_limits<LONG>::max()));
        ULONG written = 0;
        Check(stream_->Write(bytes, part, &written));
        if (written != part) Fail(STG_E_WRITEFAULT);
        bytes += part;
        size -= part;
    }
}

void RecordWriter::writeInteger(ULONGLONG value, int size) {
    BYTE bytes[8];
    for (int i = 0; i < size; ++i) bytes[i] = BYTE(value >> (8 * i));
    writeBytes(bytes, size_t(size));
}

void RecordWriter::writeString(BSTR text) {
    if (!text) {
        writeInteger(0, 4);
        return;
    }
    const ULONGLONG units = SysStringLen(text);
    if (units * 2 + 2 > std::numeric_limits<ULONG>::max()) Fail(E_OUTOFMEMORY);
    writeInteger(units * 2 + 2, 4);
    writeBytes(text, size_t(units) * 2);
    writeInteger(0, 2);
}

void RecordWriter::writeKey(BSTR key) {
    writeInteger(VT_BSTR, 2);
    writeString(key);
}

void RecordWriter::writeValue(const VARIANT& value) {
    const VARTYPE vt = value.vt;
    if (vt & VT_ARRAY) return writeArray(value);
    if (vt & VT_BYREF) Fail(DISP_E_BADVARTYPE);  // stored values never refer elsewhere
    if (vt == VT_EMPTY || vt == VT_NULL) return writeInteger(vt, 2);
    if (const int size = FixedPayloadSize(vt)) {
        ULONGLONG bits = 0;
        std::memcpy(&bits, &value.llVal, size_t(size));  // every member starts the union
        writeInteger(vt, 2);
        return writeInteger(bits, size);
    }
    if (vt == VT_BSTR) {
        writeInteger(vt, 2);
        return writeString(value.bstrVal);
    }
    if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        writeInteger(vt, 2);
        return writeObject(value.punkVal);
    }
    if (!IsWrittenAsText(vt)) Fail(DISP_E_BADVARTYPE);
    Variant text;
    Check(VariantChangeType(&text, &value, VARIANT_NOVALUEPROP, VT_BSTR));
    writeInteger(vt, 2);
    writeString(text.bstrVal);
}

void RecordWriter::writeObject(IUnknown* object) {
    if (!object) return Check(WriteClassStm(stream_, GUID_NULL));
    ComPtr<IPersistStream> persist;
    Check(object->QueryInterface(IID_IPersistStream, persist.putVoid()));
    Check(OleSaveToStream(persist.get(), stream_));
}

void RecordWriter::writeArray(const VARIANT& value) {
    if (!(value.vt & VT_ARRAY)) Fail(DISP_E_BADVARTYPE);
    SAFEARRAY* array = (value.vt & VT_BYREF) ? (value.pparray ? *value.pparray : nullptr) : value.parray;
    const VARTYPE element = ElementTypeOf(value.vt);
    if (!array || !IsArrayElementType(element) || array->cDims == 0 ||
        array->cbElements != VariantElementSize(element))
        Fail(DISP_E_BADVARTYPE);
    ULONGLONG total = 0;
    if (!ElementTotal(array->rgsabound, array->cDims, total)) Fail(DISP_E_BADVARTYPE);
    writeInteger(value.vt, 2);
    writeInteger(array->cDims, 2);
    writeInteger(array->fFeatures, 2);
    writeInteger(array->cbElements, 4);
    writeInteger(array->cLocks, 4);
    writeInteger(0, 4);  // the data address: it has no meaning in a stream
    writeInteger(array->rgsabound[0].cElements, 4);
    writeInteger(ULONG(array->rgsabound[0].lLbound), 4);
    for (USHORT i = 0; i < array->cDims; ++i) {
        writeInteger(array->rgsabound[i].cElements, 4);
        writeInteger(ULONG(array->rgsabound[i].lLbound), 4);
    }
    const ArrayLock lock(array);
    writeBytes(array->pvData, size_t(total * array->cbElements));
}

void WriteItems(RecordWriter& writer, ItemList& items, IStream* stream) {
    ReserveSpace(stream);
    writer.writeInteger(ULONG(items.count()), 4);
    LONG number = 1;
    for (auto item = items.begin(); item != items.end(); ++item, ++number) {
        if (number % 500 == 0) ReserveSpace(stream);
        writer.writeKey(item->key.get());
        writer.writeValue(item->value);
    }
}

void ReserveSpace(IStream* stream) {
    ULARGE_INTEGER position{};
    ULONGLONG size = 0;
    if (FAILED(stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_CUR, &position))) return;
    if (FAILED(storage::MemoryStreamSize(stream, &size))) return;
    if (position.QuadPart <= size && size - position.QuadPart < kReserveStep)
        stream->SetSize(ULARGE_INTEGER{size + kReserveStep});
}

// ---- reading --------------------------------------------------------------------------------

void RecordReader::readBytes(void* data, size_t size) {
    auto* bytes = static_cast<std::byte*>(data);
    while (size > 0) {
        const ULONG part = ULONG(std::min<size_t>(size, kChunk));
        ULONG read = 0;
        Check(stream_->Read(bytes, part, &read));
        if (read != part) Fail(E_FAIL);
        bytes += part;
        size -= part;
    }
}

ULONGLONG RecordReader::readInteger(int size) {
    BYTE bytes[8] = {};
    readBytes(bytes, size_t(size));
    ULONGLONG value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

std::vector<std::byte> RecordReader::readBlock(ULONGLONG size) {
    std::vector<std::byte> block;
    while (block.size() < size) {
        const size_t part = size_t(std::min<ULONGLONG>(size - block.size(), kChunk));
        block.resize(block.size() + part);
        readBytes(block.data() + block.size() - part, part);
    }
    return block;
}

Bstr RecordReader::readString() {
    const ULONGLONG length = readInteger(4);
    if (length == 0) return {};
    if (length % 2 != 0) Fail(E_FAIL);
    const std::vector<std::byte> text = readBlock(length);
    const size_t units = size_t(length / 2 - 1);  // the terminator is not part of the text
    BSTR copy = SysAllocStringLen(nullptr, UINT(units));
    if (!copy) Fail(E_OUTOFMEMORY);
    std::memcpy(copy, text.data(), units * 2);
    return Bstr::attach(copy);
}

Bstr RecordReader::readKey() {
    if (readInteger(2) != VT_BSTR) Fail(DISP_E_BADVARTYPE);
    return readString();
}

Variant RecordReader::readValue() {
    const VARTYPE vt = VARTYPE(readInteger(2));
    if (vt & VT_ARRAY) return readArray(vt);
    Variant value;
    if (vt == VT_EMPTY || vt == VT_NULL) {
        value.vt = vt;
    } else if (const int size = FixedPayloadSize(vt)) {
        const ULONGLONG bits = readInteger(size);
        std::memcpy(&value.llVal, &bits, size_t(size));
        value.vt = vt;
    } else if (vt == VT_BSTR) {
        value.bstrVal = readString().detach();
        value.vt = VT_BSTR;
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        value = readObject(vt);
    } else if (IsWrittenAsText(vt)) {
        Variant text;
        text.bstrVal = readString().detach();
        text.vt = VT_BSTR;
        Check(VariantChangeType(&value, &text, 0, vt));
    } else {
        Fail(DISP_E_BADVARTYPE);
    }
    return value;
}

Variant RecordReader::readObject(VARTYPE vt) {
    CLSID clsid{};
    Check(ReadClassStm(stream_, &clsid));
    Variant value;
    value.vt = vt;
    value.punkVal = nullptr;
    if (clsid == GUID_NULL) return value;
    Check(storage::LoadObjectOfClass(stream_, clsid, vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                     reinterpret_cast<void**>(&value.punkVal)));
    return value;
}

Variant RecordReader::readArray(VARTYPE vt) {
    const VARTYPE element = ElementTypeOf(vt);
    if (!IsArrayElementType(element)) Fail(DISP_E_BADVARTYPE);
    const USHORT dims = USHORT(readInteger(2));
    const USHORT features = USHORT(readInteger(2));
    const ULONG elementSize = ULONG(readInteger(4));
    readBlock(kDescriptorBytes - 8);  // lock count, data address and the first bound again
    if (dims == 0 || elementSize != VariantElementSize(element)) Fail(DISP_E_BADVARTYPE);
    std::vector<SAFEARRAYBOUND> bounds(0);
    for (USHORT i = 0; i < dims; ++i) {
        const ULONG count = ULONG(readInteger(4));
        const LONG lower = LONG(ULONG(readInteger(4)));
        if (count > 0 && LONGLONG(lower) + count - 1 > std::numeric_limits<LONG>::max()) Fail(DISP_E_BADVARTYPE);
        bounds.push_back({count, lower});
    }
    ULONGLONG total = 0;
    if (!ElementTotal(bounds.data(), dims, total)) Fail(E_OUTOFMEMORY);
    const std::vector<std::byte> data = readBlock(total * elementSize);

    SAFEARRAY* made = nullptr;
    Check(SafeArrayAllocDescriptorEx(element, dims, &made));
    ArrayPtr array(made);
    std::copy(bounds.begin(), bounds.end(), array->rgsabound);
    array->fFeatures |= USHORT(features & FADF_FIXEDSIZE);
    Check(SafeArrayAllocData(array.get()));
    if (!data.empty()) std::memcpy(array->pvData, data.data(), data.size());
    return Variant::fromArray(element, array.release());
}

void ReadItems(RecordReader& reader, ItemList& items) {
    const LONG count = LONG(ULONG(reader.readInteger(4)));
    for (LONG i = 0; i < count; ++i) {
        Bstr key = reader.readKey();
        Variant value = reader.readValue();
        items.append(key.get())->value = std::move(value);
    }
}

}  // namespace mossel
