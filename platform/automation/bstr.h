// BSTR: counted UTF-16 text with a 32-bit byte length in front of the first character and a
// null code unit after the last. Embedded nulls are kept; a null BSTR is distinct from an empty
// one, though both have length 0.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/types.h"

BSTR SysAllocString(const OLECHAR* psz);
BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);      // pch may be null: cch code units of zero
BSTR SysAllocStringByteLen(const char* psz, UINT len);     // len bytes, then a null byte pair
int SysReAllocString(BSTR* pbstr, const OLECHAR* psz);     // TRUE on success
int SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT cch);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);
UINT SysStringByteLen(BSTR bstr);

// Conveniences over the calls above.
BSTR SysAllocString(std::u16string_view text);
inline std::u16string_view BstrView(BSTR b) { return b ? std::u16string_view(b, SysStringLen(b)) : std::u16string_view(); }
// All the bytes a BSTR holds, an odd last one included.
inline std::string BstrBytes(BSTR b) {
    return b ? std::string(reinterpret_cast<const char*>(b), SysStringByteLen(b)) : std::string();
}

// The raw bytes of a text as a string holds them: its UTF-16 code units, low byte first; and the
// text of raw bytes, where an odd last byte is no code unit and is dropped.
std::string StringBytes(std::u16string_view text);
std::u16string TextOfStringBytes(std::string_view bytes);
