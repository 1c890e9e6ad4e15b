// 65001 (UTF-8) without loss: a byte that does not belong to a valid sequence becomes
// U+DC80 + (byte - 0x80) and goes out again as that byte, so any byte string comes back as it
// was. Any other unpaired surrogate goes out as U+FFFD.
#include "platform/text/codepage_impl.h"
#include "platform/automation/system_errors.h"
#include "platform/automation/utf.h"

namespace text::detail {
namespace {

using automation::AppendUtf16;
using automation::AppendUtf8;
using automation::CodePointOfPair;
using automation::ReadUtf8Sequence;

constexpr char16_t kEscapeBase = 0xDC00;  // + the byte, for bytes 0x80..0xFF
constexpr char32_t kReplacement = 0xFFFD;

bool IsEscapedByte(char16_t c) { return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF; }

class Utf8CodePage final : public CodePage {
public:
    DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const override {
        out.reserve(out.size() + bytes.size());
        while (!bytes.empty()) {
            automation::Utf8Sequence sequence = ReadUtf8Sequence(bytes);
            if (sequence.length == 0) {
                if (failOnInvalid) return ERROR_NO_UNICODE_TRANSLATION;
                // Only bytes from 0x80 up are ever invalid.
                out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0])));
                bytes.remove_prefix(1);
            } else {
                AppendUtf16(out, sequence.codePoint);
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
                AppendUtf8(out, CodePointOfPair(c, text[i + 1]));
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
