#include "platform/automation/utf.h"

namespace automation {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

void AppendUtf16(std::u16string& out, char32_t c) {
    char16_t units[2];
    out.append(units, size_t(PutUtf16(units, c) - units));
}

void AppendUtf8(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, size_t(PutUtf8(bytes, c) - bytes));
}

Utf8Sequence ReadUtf8Sequence(std::string_view bytes) {
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

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        Utf8Sequence sequence = ReadUtf8Sequence(bytes);
        if (sequence.length == 0) {
            out.push_back(static_cast<char16_t>(kLosslessByteBase + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        } else {
            AppendUtf16(out, sequence.codePoint);
            bytes.remove_prefix(sequence.length);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsLeadSurrogate(c) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1])) {
            AppendUtf8(out, CodePointOfPair(c, text[++i]));
        } else {
            AppendUtf8(out, IsSurrogate(c) ? kReplacement : c);
        }
    }
    return out;
}

}  // namespace automation
