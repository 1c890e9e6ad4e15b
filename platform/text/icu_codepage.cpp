// Code pages from ICU's converters. A single-byte one is read into a 256-entry table once; the
// others convert through a converter opened for each call (ICU shares the tables behind it).
// Undefined bytes become "?", and so do missing characters (or the caller's default), with no
// best fit.
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <string>
#include <vector>

#include "platform/text/codepage_impl.h"
#include "platform/automation/system_errors.h"

namespace text::detail {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const std::string& name) {
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open(name.c_str(), &error));
    if (U_FAILURE(error)) return nullptr;
    return converter;
}

// The names under which ICU may know a code page number; the first that opens wins.
std::vector<std::string> IcuNamesFor(UINT number) {
    struct Known {
        UINT number;
        const char* name;
    };
    static constexpr Known known[] = {
        {10000, "macintosh"},   {20127, "US-ASCII"},    {20866, "KOI8-R"},      {21866, "KOI8-U"},
        {20932, "EUC-JP"},      {51932, "EUC-JP"},      {51949, "EUC-KR"},      {54936, "GB18030"},
        {50220, "ISO-2022-JP"}, {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
        {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},
        {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    };
    for (const Known& k : known) {
        if (k.number == number) return {k.name};
    }
    std::string n = std::to_string(number);
    return {"windows-" + n, "ibm-" + n, "cp" + n};
}

bool IsByteBased(UConverter* converter) { return ucnv_getMinCharSize(converter) == 1; }

CodePageTable ReadTable(UConverter* converter) {
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    CodePageTable table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        UChar out[4];
        error = U_ZERO_ERROR;
        int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &error);
        table[byte] = U_SUCCESS(error) && length == 1 ? out[0] : kUndefinedByte;
    }
    // ICU's IBM PC tables rotate 0x1A, 0x1C and 0x7F; the platform keeps them as in ASCII.
    if (table[0x1A] == 0x1C && table[0x1C] == 0x7F && table[0x7F] == 0x1A) {
        table[0x1A] = 0x1A, table[0x1C] = 0x1C, table[0x7F] = 0x7F;
    }
    return table;
}

void WriteQuestionMark(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                       UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    static const UChar questionMark = u'?';
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &questionMark, 1, 0, error);
}

// Writes the converter's substitution bytes (set to the default character) and notes it.
void WriteDefaultChar(const void* context, UConverterFromUnicodeArgs* args, const UChar* codeUnits,
                      int32_t length, UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, error);
}

// "?" in the converter's code page (0x6F in EBCDIC).
std::string QuestionMark(UConverter* converter) {
    char bytes[8];
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = ucnv_fromUChars(converter, bytes, sizeof bytes, u"?", 1, &error);
    if (U_FAILURE(error) || length <= 0 || length > static_cast<int32_t>(sizeof bytes)) return "?";
    return std::string(bytes, static_cast<size_t>(length));
}

class IcuCodePage final : public CodePage {
public:
    IcuCodePage(std::string name, int maxCharSize) : name_(std::move(name)), maxCharSize_(maxCharSize) {}

    DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const override {
        Converter converter = OpenConverter(name_);
        if (!converter) return ERROR_INVALID_PARAMETER;
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setToUCallBack(converter.get(), failOnInvalid ? UCNV_TO_U_CALLBACK_STOP : WriteQuestionMark,
                            nullptr, nullptr, nullptr, &error);
        const char* source = bytes.data();
        const char* end = source + bytes.size();
        UChar buffer[1024];
        do {
            UChar* target = buffer;
            error = U_ZERO_ERROR;
            ucnv_toUnicode(converter.get(), &target, buffer + std::size(buffer), &source, end, nullptr,
                           true, &error);
            out.append(buffer, target);
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        return U_SUCCESS(error) ? 0 : ERROR_NO_UNICODE_TRANSLATION;
    }

    DWORD encode(std::u16string_view text, const EncodeOptions& options, std::string& out,
                 bool& usedDefault) const override {
        Converter converter = OpenConverter(name_);
        if (!converter) return ERROR_INVALID_PARAMETER;
        std::string defaultChar = options.defaultChar.empty() ? QuestionMark(converter.get())
                                                              : std::string(options.defaultChar);
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setSubstChars(converter.get(), defaultChar.data(), static_cast<int8_t>(defaultChar.size()), &error);
        if (U_FAILURE(error)) return ERROR_INVALID_PARAMETER;  // not a character of this code page
        ucnv_setFromUCallBack(converter.get(), WriteDefaultChar, &usedDefault, nullptr, nullptr, &error);
        const UChar* source = text.data();
        const UChar* end = source + text.size();
        char buffer[2048];
        do {
            char* target = buffer;
            error = U_ZERO_ERROR;
            ucnv_fromUnicode(converter.get(), &target, buffer + sizeof buffer, &source, end, nullptr, true,
                             &error);
            out.append(buffer, target);
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        return U_SUCCESS(error) ? 0 : ERROR_NO_UNICODE_TRANSLATION;
    }

    int maxCharSize() const override { return maxCharSize_; }

private:
    std::string name_;
    int maxCharSize_;
};

}  // namespace

std::unique_ptr<CodePage> MakeIcuCodePage(UINT number) {
    for (const std::string& name : IcuNamesFor(number)) {
        Converter converter = OpenConverter(name);
        if (!converter || !IsByteBased(converter.get())) continue;
        int maxCharSize = ucnv_getMaxCharSize(converter.get());
        if (maxCharSize == 1) return MakeSingleByteCodePage(ReadTable(converter.get()));
        return std::make_unique<IcuCodePage>(name, maxCharSize);
    }
    return nullptr;
}

}  // namespace text::detail
