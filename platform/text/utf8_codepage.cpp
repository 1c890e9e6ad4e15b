// 65001 (UTF-8) without loss: a byte that does not belong to a valid sequence becomes
// U+DC80 + (byte - 0x80) and goes out again as that byte, so any byte string comes back as it
// was. Any other unpaired surrogate goes out as U+FFFD.
#include "platform/text/codepage_impl.h"
#include "platform/automation/system_errors.h"

namespace text::detail {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + the byte, for bytes 0x80..0xFF
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The code point of the valid sequence at the start of bytes and its length; length 0 when
// the bytes there are not a valid sequence (overlong forms, encoded surrogates and values
// above U+10FFFF are not).
struct Sequence {
    char32_t codePoint = 0;
    size_t length = 0;
};

Sequence ReadSequence(std::string_view bytes) {
    auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    unsigned char lead = at(0);
    if (lead < 0x80) return {lead, 1};
    size_t length;
    char32_t value;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {};
    }
    if (bytes.size() < length || at(1) < low || at(1) > high) return {};
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(i))) return {};
        value = (value << 6) | (at(i) & 0x3F);
    }
    return {value, length};
}

void AppendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    auto put = [&](unsigned v) { out.push_back(static_cast<char>(v)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool IsEscapedByte(char16_t c) { return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF; }

class Utf8CodePage final : public CodePage {
public:
    DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const override {
        out.reserve(out.size() + bytes.size());
        while (!bytes.empty()) {
            Sequence sequence = ReadSequence(bytes);
            if (sequence.length == 0) {
                if (failOnInvalid) return ERROR_NO_UNICODE_TRANSLATION;
                // Only bytes from 0x80 up are ever invalid.
                out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0])));
                bytes.remove_prefix(1);
            } else {
                AppendCodePoint(out, sequence.codePoint);
                bytes.remove_prefix(sequence.length);
            }
        }
        return 0;
    }

    DWORD encode(std::u16string_view text, const EncodeOptions& options, std::string& out,
                 bool& usedDefault) const override {
        out.reserve(out.size() + text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            if (!IsSurrogate(c)) {
                AppendUtf8(out, c);
            } else if (IsLeadSurrogate(c) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1])) {
                AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
                ++i;
            } else if (options.failOnInvalid) {
                return ERROR_NO_UNICODE_TRANSLATION;
            } else if (IsEscapedByte(c)) {
                out.push_back(static_cast<char>(c - kEscapeBase));
            } else {
                AppendUtf8(out, kReplacement);
                usedDefault = true;
            }
        }
        return 0;
    }

    int maxCharSize() const override { return 4; }
    bool isUtf8() const override { return true; }
};

}  // namespace

std::unique_ptr<CodePage> MakeUtf8CodePage() { return std::make_unique<Utf8CodePage>(); }

}  // namespace text::detail
