#include "platform/automation/bstr.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

static_assert(std::endian::native == std::endian::little, "a string's bytes are its code units, low byte first");

// A BSTR's block: a 32-bit byte count, the characters, then two null bytes.
constexpr size_t kPrefix = sizeof(uint32_t);

uint32_t* prefixOf(BSTR b) { return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(b) - kPrefix); }

BSTR allocateBytes(const void* data, size_t byteLen) {
    if (byteLen > std::numeric_limits<uint32_t>::max() - kPrefix - 2) return nullptr;
    char* block = static_cast<char*>(std::malloc(kPrefix + byteLen + 2));
    if (!block) return nullptr;
    uint32_t len32 = static_cast<uint32_t>(byteLen);
    std::memcpy(block, &len32, kPrefix);
    if (data) std::memcpy(block + kPrefix, data, byteLen);
    else std::memset(block + kPrefix, 0, byteLen);
    block[kPrefix + byteLen] = 0;
    block[kPrefix + byteLen + 1] = 0;
    return reinterpret_cast<BSTR>(block + kPrefix);
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
    if (!psz) return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(std::char_traits<OLECHAR>::length(psz)));
}

BSTR SysAllocString(std::u16string_view text) {
    return allocateBytes(text.data(), text.size() * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch) {
    if (cch > std::numeric_limits<uint32_t>::max() / sizeof(OLECHAR)) return nullptr;
    return allocateBytes(pch, size_t(cch) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* psz, UINT len) { return allocateBytes(psz, len); }

int SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT cch) {
    if (!pbstr) return 0;
    // The source may lie inside the old string, so the new one is made first.
    BSTR fresh = SysAllocStringLen(psz, cch);
    if (!fresh) return 0;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return 1;
}

int SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (!psz) {
        if (!pbstr) return 0;
        SysFreeString(*pbstr);
        *pbstr = nullptr;
        return 1;
    }
    return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(std::char_traits<OLECHAR>::length(psz)));
}

void SysFreeString(BSTR bstr) {
    if (bstr) std::free(prefixOf(bstr));
}

UINT SysStringByteLen(BSTR bstr) { return bstr ? *prefixOf(bstr) : 0; }

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

std::string StringBytes(std::u16string_view text) {
    std::string bytes(text.size() * sizeof(char16_t), '\0');
    if (!text.empty()) std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

std::u16string TextOfStringBytes(std::string_view bytes) {
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    return text;
}
