#include "components/strings/text_transforms.h"

#include <array>
#include <optional>

#include "components/strings/string_errors.h"
#include "platform/automation/ascii.h"
#include "platform/automation/error_numbers.h"
#include "platform/text/codepage.h"

namespace strings {
namespace {

using automation::HexDigitValue;

// Every non-overlapping occurrence of from, found left to right, replaced by to.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    if (from.empty()) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size());
    size_t start = 0;
    for (size_t found = text.find(from); found != std::u16string_view::npos; found = text.find(from, start)) {
        out.append(text.substr(start, found - start));
        out.append(to);
        start = found + from.size();
    }
    out.append(text.substr(start));
    return out;
}

// Characters and bytes of the ANSI code page (read once per call), each looked up once.
class AnsiCharacters {
public:
    AnsiCharacters() : codePage_(GetACP()) {}

    // The last byte of the character's code ("?" for a character the code page lacks).
    BYTE lastByteOf(char16_t c) {
        if (c >= bytes_.size()) return lookUpLastByte(c);
        if (!bytes_[c]) bytes_[c] = lookUpLastByte(c);
        return *bytes_[c];
    }

    // The character a single byte stands for.
    char16_t characterOf(BYTE b) {
        if (!characters_[b]) {
            const std::u16string text = text::BytesToText(std::string_view(reinterpret_cast<const char*>(&b), 1), codePage_);
            characters_[b] = text.empty() ? u'?' : text.front();
        }
        return *characters_[b];
    }

private:
    BYTE lookUpLastByte(char16_t c) const {
        const std::string bytes = text::TextToBytes(std::u16string_view(&c, 1), codePage_);
        return bytes.empty() ? BYTE('?') : static_cast<BYTE>(bytes.back());
    }

    UINT codePage_;
    std::array<std::optional<BYTE>, 256> bytes_;
    std::array<std::optional<char16_t>, 256> characters_;
};

// The value of the leading hexadecimal digits of a pair; 0 when it starts with none.
BYTE LeadingHexValue(char16_t first, char16_t second) {
    const int high = HexDigitValue(first);
    if (high < 0) return 0;
    const int low = HexDigitValue(second);
    return static_cast<BYTE>(low < 0 ? high : high * 16 + low);
}

// Room for the worst case, so that the output never moves; long texts, which have few signs to
// escape for their length, start with a quarter more and grow if they must.
constexpr size_t kWorstCaseReservationLimit = 1 << 16;
size_t HtmlOutputReservation(size_t length) {
    return length <= kWorstCaseReservationLimit ? length * kLongestHtmlEscape : length + length / 4;
}

}  // namespace

std::u16string TrimZ(std::u16string_view text) { return std::u16string(text.substr(0, text.find(u'\0'))); }

std::u16string Encode(std::u16string_view text, std::u16string_view delimiter) {
    return ReplaceAll(text, delimiter, std::u16string(delimiter) + std::u16string(delimiter));
}

std::u16string Decode(std::u16string_view text, std::u16string_view delimiter) {
    return ReplaceAll(text, std::u16string(delimiter) + std::u16string(delimiter), delimiter);
}

std::u16string JoinWithTabs(const std::vector<std::u16string>& parts) {
    std::u16string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out.push_back(u'\t');
        out.append(parts[i]);
    }
    return out;
}

std::vector<std::u16string> SplitAtTabs(std::u16string_view text) {
    std::vector<std::u16string> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (size_t tab = text.find(u'\t'); tab != std::u16string_view::npos; tab = text.find(u'\t', start)) {
        parts.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::u16string EncodeHex(std::u16string_view text) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    AnsiCharacters ansi;
    std::u16string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        const BYTE b = ansi.lastByteOf(c);
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0x0F]);
    }
    return out;
}

std::u16string DecodeHex(std::u16string_view text) {
    AnsiCharacters ansi;
    std::u16string out;
    out.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) out.push_back(ansi.characterOf(LeadingHexValue(text[i], text[i + 1])));
    return out;
}

std::u16string RPad(std::u16string_view text, char16_t pad, LONG length) {
    const long long missing = static_cast<long long>(length) - static_cast<long long>(text.size());
    if (missing < 1) return std::u16string(text);
    if (static_cast<unsigned long long>(length) > kMaxStringLength) Raise(errnum::kOutOfStringSpace);
    std::u16string out;
    out.reserve(static_cast<size_t>(length));
    out.append(text);
    out.append(static_cast<size_t>(missing), pad);
    return out;
}

void AppendEncodedHTML(std::u16string& out, std::u16string_view text) {
    EscapeHtmlInPieces(text, [&out](std::u16string_view piece) { out.append(piece); });
}

std::u16string EncodeHTML(std::u16string_view text) {
    std::u16string out;
    out.reserve(HtmlOutputReservation(text.size()));
    AppendEncodedHTML(out, text);
    return out;
}

}  // namespace strings
