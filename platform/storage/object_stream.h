// Objects in streams: a class ID as 16 bytes (little-endian fields), and an object saved as its
// class ID followed by what its IPersistStream writes.
#pragma once

#include "platform/automation/handles.h"

// The 16 bytes of the class ID; a read that ends early gives STG_E_READFAULT.
HRESULT WriteClassStm(IStream* stream, REFCLSID clsid);
HRESULT ReadClassStm(IStream* stream, CLSID* clsid);

// The object's class ID, then its own saved data. A null object writes the null class ID.
HRESULT OleSaveToStream(IPersistStream* object, IStream* stream);
// Reads a class ID and loads a new object of that class from the rest (see LoadObjectOfClass).
HRESULT OleLoadFromStream(IStream* stream, REFIID iid, void** object);

namespace storage {

// A new object of the class, created through the component services, loaded from the stream
// through its IPersistStream and asked for iid.
HRESULT LoadObjectOfClass(IStream* stream, REFCLSID clsid, REFIID iid, void** object);

}  // namespace storage
