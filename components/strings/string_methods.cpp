#include "components/strings/string_methods.h"

#include "components/strings/argument_conversion.h"
#include "components/strings/charset_conversion.h"
#include "components/strings/line_splitting.h"
#include "components/strings/string_errors.h"
#include "components/strings/text_transforms.h"
#include "platform/automation/arrays.h"
#include "platform/automation/client.h"
#include "platform/automation/error_numbers.h"
#include "platform/com/creation.h"
#include "platform/text/parameter_scanner.h"

namespace strings {
namespace {

constexpr char16_t kDoubleQuote[] = u"\"";
constexpr char16_t kApostrophe[] = u"'";

// The raw bytes of a value's string: a String's own (odd in number where it was made so).
std::string StringBytesOf(const Variant& value) {
    return value.vt == VT_BSTR ? BstrBytes(value.bstrVal) : StringBytes(TextArgument(value));
}

ComError ByteArrayConversionError(const ComError& reason) {
    return WithDescription(reason, DescriptionWithReason(u"Error converting the Byte Array ", reason));
}

}  // namespace

template <class Body>
decltype(auto) StringMethods::run(std::u16string_view method, Body&& body) const {
    return WithErrorSource(sourceOf(method), std::forward<Body>(body));
}

Variant StringMethods::TrimZ(const VARIANT& str) const {
    return run(u"TrimZ", [&] {
        std::u16string text;
        try {
            text = ValueOf(str).toString();
        } catch (const ComError&) {
            Raise(errnum::kTypeMismatch);
        }
        return Variant::fromString(strings::TrimZ(text));
    });
}

Variant StringMethods::Encode(const VARIANT& str, const VARIANT& delimiter) const {
    return run(u"Encode", [&] {
        const std::u16string text = TextArgument(str);
        return Variant::fromString(strings::Encode(text, TextArgument(delimiter)));
    });
}

Variant StringMethods::Decode(const VARIANT& str, const VARIANT& delimiter) const {
    return run(u"Decode", [&] {
        const std::u16string text = TextArgument(str);
        return Variant::fromString(strings::Decode(text, TextArgument(delimiter)));
    });
}

Variant StringMethods::EncodeCSV(const VARIANT& str) const { return Encode(str, Variant::fromString(kDoubleQuote)); }
Variant StringMethods::DecodeCSV(const VARIANT& str) const { return Decode(str, Variant::fromString(kDoubleQuote)); }
Variant StringMethods::EncodeSQL(const VARIANT& str) const { return Encode(str, Variant::fromString(kApostrophe)); }
Variant StringMethods::DecodeSQL(const VARIANT& str) const { return Decode(str, Variant::fromString(kApostrophe)); }

std::u16string StringMethods::StringEncode(const VARIANT& anArray) const {
    return run(u"StringEncode", [&] { return JoinWithTabs(TextArrayArgument(anArray)); });
}

Variant StringMethods::StringDecode(const VARIANT& aString) const {
    return run(u"StringDecode", [&] { return automation::StringArray(SplitAtTabs(TextArgument(aString))); });
}

std::u16string StringMethods::EncodeHex(std::u16string_view s) const {
    return run(u"EncodeHex", [&] { return strings::EncodeHex(s); });
}

std::u16string StringMethods::DecodeHex(std::u16string_view s) const {
    return run(u"DecodeHex", [&] { return strings::DecodeHex(s); });
}

Variant StringMethods::RPad(const VARIANT& str, const VARIANT& ch, const VARIANT& length) const {
    return run(u"RPad", [&] {
        const std::u16string text = TextArgument(str);
        const LONG total = LongArgument(length);
        if (static_cast<long long>(total) - static_cast<long long>(text.size()) < 1) return Variant::fromString(text);
        return Variant::fromString(strings::RPad(text, PadCharacterArgument(ch), total));
    });
}

Variant StringMethods::ByteArray2Str(SAFEARRAY* b, bool unicode) const {
    try {
        return run(u"ByteArray2Str", [&] {
            return StringOfBytes(ConvertStringBytes(ByteArrayArgument(b), unicode ? kFromUnicode : kUnicode, 0));
        });
    } catch (const ComError& error) {
        throw ByteArrayConversionError(error);
    }
}

Variant StringMethods::StrConvEx(const VARIANT& str, const VARIANT& conversion, const VARIANT& lcid) const {
    return run(u"StrConvEx", [&] {
        const LONG how = LongArgument(conversion);
        const Variant locale = ValueOf(lcid);
        const LCID localeId = locale.isMissing() ? 0 : static_cast<LCID>(LongArgument(locale));
        const Variant value = ValueOf(str);
        // The conversion is checked also for a Null text.
        const std::string converted = ConvertStringBytes(value.isNull() ? std::string() : StringBytesOf(value), how, localeId);
        return value.isNull() ? Variant::null() : StringOfBytes(converted);
    });
}

Variant StringMethods::SplitLine(std::u16string_view line, std::u16string_view delimiter,
                                 std::u16string_view qualifier) const {
    return run(u"SplitLine", [&] { return VariantArrayResult(strings::SplitLine(line, delimiter, qualifier)); });
}

std::u16string StringMethods::Char2OemBuff(std::u16string& source) const {
    return run(u"Char2OemBuff", [&] {
        std::u16string result = AnsiToOemText(source);
        source = AnsiRoundTrip(source);
        return result;
    });
}

std::u16string StringMethods::Oem2CharBuff(std::u16string& source) const {
    return run(u"Oem2CharBuff", [&] {
        std::u16string result = OemToAnsiText(source);
        source = AnsiRoundTrip(source);
        return result;
    });
}

Variant StringMethods::EncodeHTML(const VARIANT& s) const {
    return run(u"EncodeHTML", [&] { return Variant::fromString(strings::EncodeHTML(TextArgument(s))); });
}

Variant StringMethods::ParseParameters(std::u16string_view cmd) const {
    return run(u"ParseParameters", [&] {
        ComPtr<IDispatch> dictionary;
        try {
            dictionary = com::CreateObject(u"Tavrel.Dictionary");
        } catch (const ComError&) {
            Raise(errnum::kCannotCreateObject);
        }
        for (const text::NamedParameter& parameter : text::ScanParameters(cmd)) {
            Variant item[] = {Variant::fromString(parameter.name), Variant::fromString(parameter.value)};
            automation::Call(dictionary.get(), u"Add", automation::Args(item));
        }
        return Variant::fromDispatch(dictionary.get());
    });
}

}  // namespace strings
