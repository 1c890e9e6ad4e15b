#include "platform/automation/guid.h"

#include <cstring>

#include "platform/automation/ascii.h"
#include "platform/automation/random_bytes.h"
#include "platform/automation/system_errors.h"

namespace {

using automation::HexDigitValue;

// Reads `digits` hexadecimal digits at text[pos]; false if any is not one.
bool readHex(std::u16string_view text, size_t pos, int digits, uint64_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        int v = HexDigitValue(text[pos + i]);
        if (v < 0) return false;
        out = out << 4 | uint64_t(v);
    }
    return true;
}

}  // namespace

std::u16string GuidToString(REFGUID g) {
    using automation::UpperHex;
    std::u16string out = u"{" + UpperHex(g.Data1, 8) + u'-' + UpperHex(g.Data2, 4) + u'-' + UpperHex(g.Data3, 4);
    for (int i = 0; i < 8; ++i) {
        if (i == 0 || i == 2) out += u'-';
        out += UpperHex(g.Data4[i], 2);
    }
    out += u'}';
    return out;
}

std::optional<GUID> GuidFromString(std::u16string_view t) {
    if (t.size() != 38 || t[0] != u'{' || t[37] != u'}' || t[9] != u'-' || t[14] != u'-' || t[19] != u'-' ||
        t[24] != u'-')
        return std::nullopt;
    GUID g{};
    uint64_t v = 0;
    if (!readHex(t, 1, 8, v)) return std::nullopt;
    g.Data1 = uint32_t(v);
    if (!readHex(t, 10, 4, v)) return std::nullopt;
    g.Data2 = uint16_t(v);
    if (!readHex(t, 15, 4, v)) return std::nullopt;
    g.Data3 = uint16_t(v);
    static const size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(t, bytePos[i], 2, v)) return std::nullopt;
        g.Data4[i] = uint8_t(v);
    }
    return g;
}

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    std::u16string s = GuidToString(rguid);
    if (!lpsz || cchMax < int(s.size() + 1)) return 0;
    std::memcpy(lpsz, s.c_str(), (s.size() + 1) * sizeof(OLECHAR));
    return int(s.size() + 1);
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid) {
    if (!pclsid) return E_INVALIDARG;
    if (!lpsz) {
        *pclsid = GUID_NULL;
        return S_OK;
    }
    auto g = GuidFromString(std::u16string_view(lpsz));
    if (!g) return CO_E_CLASSSTRING;
    *pclsid = *g;
    return S_OK;
}

HRESULT IIDFromString(LPCOLESTR lpsz, IID* piid) {
    if (!piid) return E_INVALIDARG;
    HRESULT hr = CLSIDFromString(lpsz, piid);
    return hr == CO_E_CLASSSTRING ? E_INVALIDARG : hr;
}

HRESULT CoCreateGuid(GUID* pguid) {
    if (!pguid) return E_INVALIDARG;
    unsigned char raw[16];
    if (!automation::FillRandomBytes(raw, sizeof raw)) return HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
    raw[6] = uint8_t((raw[6] & 0x0F) | 0x40);  // version 4: random
    raw[8] = uint8_t((raw[8] & 0x3F) | 0x80);  // the variant of RFC 4122
    // The text form reads the first three fields as numbers, the last eight bytes in order.
    pguid->Data1 = uint32_t(raw[0]) << 24 | uint32_t(raw[1]) << 16 | uint32_t(raw[2]) << 8 | raw[3];
    pguid->Data2 = uint16_t(raw[4] << 8 | raw[5]);
    pguid->Data3 = uint16_t(raw[6] << 8 | raw[7]);
    std::memcpy(pguid->Data4, raw + 8, 8);
    return S_OK;
}
