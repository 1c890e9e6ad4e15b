// The string classes' methods on Variant arguments: the program's own class Strings, and the
// methods behind the component class "Tavrel.Strings2". Errors are raised as ComError with the
// source "<class>-><method>".
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/handles.h"

namespace strings {

// Every method once; each class names itself in its errors' source.
class StringMethods {
public:
    explicit StringMethods(std::u16string className) : className_(std::move(className)) {}

    // The text before the first U+0000; error 13 for any value that does not convert to text.
    Variant TrimZ(const VARIANT& str) const;
    Variant Encode(const VARIANT& str, const VARIANT& delimiter) const;
    Variant Decode(const VARIANT& str, const VARIANT& delimiter) const;
    // Encode and Decode with the double quote and with the apostrophe; their errors come as
    // Encode and Decode raised them.
    Variant EncodeCSV(const VARIANT& str) const;
    Variant DecodeCSV(const VARIANT& str) const;
    Variant EncodeSQL(const VARIANT& str) const;
    Variant DecodeSQL(const VARIANT& str) const;
    // The elements of a one-dimensional array joined with tabs, and a text split at tabs into
    // an array of Strings (lower bound 0).
    std::u16string StringEncode(const VARIANT& anArray) const;
    Variant StringDecode(const VARIANT& aString) const;
    std::u16string EncodeHex(std::u16string_view s) const;
    std::u16string DecodeHex(std::u16string_view s) const;
    Variant RPad(const VARIANT& str, const VARIANT& ch, const VARIANT& length) const;
    // The bytes as ANSI text, or with unicode as UTF-16 code units whose text becomes ANSI bytes
    // packed two per character. A failure is raised with a description that says so.
    Variant ByteArray2Str(SAFEARRAY* b, bool unicode) const;
    // A missing lcid (VT_ERROR DISP_E_PARAMNOTFOUND) stands for 0; a Null str gives Null.
    Variant StrConvEx(const VARIANT& str, const VARIANT& conversion, const VARIANT& lcid) const;
    // The fields of the line as an array of Variants holding Strings (lower bound 0).
    Variant SplitLine(std::u16string_view line, std::u16string_view delimiter, std::u16string_view qualifier) const;
    // OEM and ANSI translation of the whole text; source becomes its own round trip through the
    // ANSI code page.
    std::u16string Char2OemBuff(std::u16string& source) const;
    std::u16string Oem2CharBuff(std::u16string& source) const;
    Variant EncodeHTML(const VARIANT& s) const;
    // A new "Tavrel.Dictionary", created by its ProgID, with one item per parameter of cmd in
    // order (text::ScanParameters); error 429 when the dictionary cannot be created.
    Variant ParseParameters(std::u16string_view cmd) const;

private:
    std::u16string sourceOf(std::u16string_view method) const { return className_ + u"->" + std::u16string(method); }
    template <class Body>
    decltype(auto) run(std::u16string_view method, Body&& body) const;

    std::u16string className_;
};

// The program's own string class, called directly.
class Strings : private StringMethods {
public:
    Strings() : StringMethods(u"Strings") {}

    using StringMethods::TrimZ;
    using StringMethods::Encode;
    using StringMethods::Decode;
    using StringMethods::EncodeCSV;
    using StringMethods::DecodeCSV;
    using StringMethods::EncodeSQL;
    using StringMethods::DecodeSQL;
    using StringMethods::EncodeHex;
    using StringMethods::DecodeHex;
    using StringMethods::RPad;
    using StringMethods::EncodeHTML;
    using StringMethods::ParseParameters;
};

}  // namespace strings
