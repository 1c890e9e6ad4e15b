// Code pages of one byte per character, converted through their 256-entry table and its exact
// inverse.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/text/codepage_impl.h"
#include "platform/automation/system_errors.h"
#include "platform/text/ascii_blocks.h"

namespace text::detail {
namespace {

class SingleByteCodePage final : public CodePage {
public:
    explicit SingleByteCodePage(const CodePageTable& table) : toText_(table) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (table[byte] != kUndefinedByte) {
                toBytes_.emplace_back(table[byte], static_cast<char>(byte));
            }
        }
        // Stable, so that of two bytes for one character the lower one is written.
        std::stable_sort(toBytes_.begin(), toBytes_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        asciiIsItself_ = true;
        for (char16_t c = 0; c < 0x80; ++c) asciiIsItself_ = asciiIsItself_ && find(c) == char(c);
    }

    DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const override {
        out.reserve(out.size() + bytes.size());
        for (char byte : bytes) {
            char16_t c = toText_[static_cast<unsigned char>(byte)];
            if (c == kUndefinedByte) {
                if (failOnInvalid) return ERROR_NO_UNICODE_TRANSLATION;
                c = u'?';
            }
            out.push_back(c);
        }
        return 0;
    }

    DWORD encode(std::u16string_view text, const EncodeOptions& options, std::string& out,
                 bool& usedDefault) const override {
        out.reserve(out.size() + text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            if (asciiIsItself_ && text[i] < 0x80) {
                i += AppendAscii(text.substr(i), out);
                if (i == text.size()) break;
            }
            char16_t c = text[i];
            if (IsSurrogate(c)) {
                // No surrogate is in a single-byte code page; a pair is one missing character.
                if (IsLeadSurrogate(c) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1])) ++i;
                writeDefault(options, out, usedDefault);
                continue;
            }
            if (auto byte = find(c)) {
                out.push_back(*byte);
            } else {
                writeDefault(options, out, usedDefault);
            }
        }
        return 0;
    }

    int maxCharSize() const override { return 1; }
    std::optional<size_t> completePrefix(std::string_view bytes) const override { return bytes.size(); }

private:
    std::optional<char> find(char16_t c) const {
        auto it = std::lower_bound(toBytes_.begin(), toBytes_.end(), c,
                                   [](const auto& entry, char16_t key) { return entry.first < key; });
        if (it == toBytes_.end() || it->first != c) return std::nullopt;
        return it->second;
    }

    void writeDefault(const EncodeOptions& options, std::string& out, bool& usedDefault) const {
        if (options.defaultChar.empty()) {
            out.push_back(find(u'?').value_or('?'));
        } else {
            out.append(options.defaultChar);
        }
        usedDefault = true;
    }

    CodePageTable toText_;
    std::vector<std::pair<char16_t, char>> toBytes_;
    bool asciiIsItself_ = false;  // each unit below 0x80 is the byte of its value: copied in blocks
};

}  // namespace

std::unique_ptr<CodePage> MakeSingleByteCodePage(const CodePageTable& table) {
    return std::make_unique<SingleByteCodePage>(table);
}

}  // namespace text::detail
