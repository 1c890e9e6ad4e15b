// 65001 (UTF-8) without loss: a byte that does not belong to a valid sequence becomes
// U+DC80 + (byte - 0x80) and goes out again as that byte, so any byte string comes back as it
// was. Any other unpaired surrogate goes out as U+FFFD.
#include <algorithm>

#include "platform/text/codepage_impl.h"
#include "platform/automation/system_errors.h"
#include "platform/automation/utf.h"
#include "platform/text/ascii_blocks.h"
#include "platform/text/large_buffer.h"
#include "platform/text/utf8_text.h"

namespace text::detail {
namespace {

using automation::kLosslessByteBase;
using automation::PutUtf16;
using automation::ReadUtf8Sequence;

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

class Utf8CodePage final : public CodePage {
public:
    // A byte never gives more than one unit: out is sized for them once. The units go through a
    // block on the stack and are appended from there, so that out is never zero-filled first (on
    // a virtual machine, writing fresh memory twice costs milliseconds a megabyte).
    DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const override {
        const size_t base = out.size();
        out.reserve(base + bytes.size());
        AdviseLargeBuffer(out.data() + base, bytes.size() * sizeof(char16_t));
        constexpr size_t kBlockUnits = 4096;
        char16_t block[kBlockUnits];
        char16_t* const blockEnd = block + kBlockUnits;
        while (!bytes.empty()) {
            char16_t* to = block;
            while (!bytes.empty() && blockEnd - to >= 2) {  // room for a pair
                const size_t ascii = WidenAscii(bytes.data(), std::min(bytes.size(), size_t(blockEnd - to)), to);
                to += ascii;
                bytes.remove_prefix(ascii);
                if (bytes.empty() || blockEnd - to < 2) break;
                const automation::Utf8Sequence sequence = ReadUtf8Sequence(bytes);
                if (sequence.length == 0) {
                    if (failOnInvalid) {
                        out.resize(base);
                        return ERROR_NO_UNICODE_TRANSLATION;
                    }
                    // Only bytes from 0x80 up are ever invalid.
                    *to++ = static_cast<char16_t>(kLosslessByteBase + static_cast<unsigned char>(bytes[0]));
                    bytes.remove_prefix(1);
                } else {
                    to = PutUtf16(to, sequence.codePoint);
                    bytes.remove_prefix(sequence.length);
                }
            }
            out.append(block, size_t(to - block));
        }
        return 0;
    }

    // Through a block on the stack, so that out grows only by what it keeps.
    DWORD encode(std::u16string_view text, const EncodeOptions& options, std::string& out,
                 bool& usedDefault) const override {
        constexpr size_t kBlockUnits = 4096;
        char block[kBlockUnits * 3];
        const size_t base = out.size();
        while (!text.empty()) {
            size_t units = std::min(text.size(), kBlockUnits);
            if (units < text.size() && IsLeadSurrogate(text[units - 1])) --units;  // a pair stays whole
            char* end = encodeBlock(text.substr(0, units), options, block, usedDefault);
            if (!end) {
                out.resize(base);
                return ERROR_NO_UNICODE_TRANSLATION;
            }
            out.append(block, size_t(end - block));
            text.remove_prefix(units);
        }
        return 0;
    }

    int maxCharSize() const override { return 4; }

    // Up to a lead byte among the last three whose sequence the end cuts. Any earlier sequence
    // that reaches past that byte is invalid whatever follows: a lead byte cannot continue it.
    std::optional<size_t> completePrefix(std::string_view bytes) const override {
        size_t start = bytes.size();
        while (start > 0 && bytes.size() - start < 3 && IsContinuation(bytes[start - 1])) --start;
        if (start == 0) return bytes.size();
        const auto lead = static_cast<unsigned char>(bytes[start - 1]);
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return bytes.size() - (start - 1) < length ? start - 1 : bytes.size();
    }
    bool isUtf8() const override { return true; }

private:
    // Writes the bytes of text from `to` (three bytes a unit at most); null when a surrogate
    // is unpaired and options say to fail.
    static char* encodeBlock(std::u16string_view text, const EncodeOptions& options, char* to, bool& usedDefault) {
        if (options.failOnInvalid && HasUnpairedSurrogate(text)) return nullptr;
        return PutUtf8Text(text, to, usedDefault);
    }
};

}  // namespace

std::unique_ptr<CodePage> MakeUtf8CodePage() { return std::make_unique<Utf8CodePage>(); }

}  // namespace text::detail
