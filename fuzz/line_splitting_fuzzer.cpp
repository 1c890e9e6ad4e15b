// SplitLine against a literal reading of its rules: the same fields, or error 6 (overflow) for
// more than kMaxLineFields fields (which fuzz inputs are too short to reach: the unit tests take
// that limit). Delimiter and qualifier are 0 to 2 units long, from a small alphabet, so that
// they meet the line's units.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "components/strings/line_splitting.h"
#include "fuzz/fuzz_input.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"

namespace {

const std::u16string kUnits = u",;\"'ab \t\r\n\u00E9" + std::u16string(1, char16_t(0xD800));

// Field after field from the rest of the line, as the rules say; nothing for too many fields.
std::optional<std::vector<std::u16string>> Fields(std::u16string_view line, std::u16string_view delimiter,
                                                  std::u16string_view qualifier) {
    std::vector<std::u16string> fields;
    std::u16string_view rest = line;
    while (true) {
        if (fields.size() == strings::kMaxLineFields) return std::nullopt;
        std::u16string field;
        bool separated = false;
        if (rest.substr(0, 1) == qualifier) {
            rest.remove_prefix(qualifier.size());
            while (!rest.empty()) {
                bool isQualifier = rest.substr(0, 1) == qualifier;
                if (isQualifier && rest.substr(1, 1) == qualifier) {
                    field += rest[0];
                    rest.remove_prefix(2);
                } else if (isQualifier) {
                    rest.remove_prefix(1);
                    separated = !rest.empty();
                    if (separated) rest.remove_prefix(1);
                    break;
                } else {
                    field += rest[0];
                    rest.remove_prefix(1);
                }
            }
        } else {
            size_t end = 0;
            while (end < rest.size() && rest.substr(end, 1) != delimiter) ++end;
            field = rest.substr(0, end);
            separated = end < rest.size();
            rest.remove_prefix(separated ? end + 1 : end);
        }
        fields.push_back(std::move(field));
        if (!separated) return fields;
    }
}

std::string Describe(std::u16string_view line, std::u16string_view delimiter, std::u16string_view qualifier) {
    std::string shown = fuzz::Printable(line.substr(0, 200));
    return "line \"" + shown + (line.size() > 200 ? "...\" (" + std::to_string(line.size()) + " units)" : "\"") +
           " delimiter \"" + fuzz::Printable(delimiter) + "\" qualifier \"" + fuzz::Printable(qualifier) + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::u16string delimiter = input.text(2, kUnits);
    const std::u16string qualifier = input.text(2, kUnits);
    const std::u16string line = input.restAsText();

    const auto expected = Fields(line, delimiter, qualifier);
    try {
        std::vector<std::u16string> fields = strings::SplitLine(line, delimiter, qualifier);
        FUZZ_CHECK(expected.has_value(), "no overflow for " + Describe(line, delimiter, qualifier));
        FUZZ_CHECK(fields == *expected, "fields differ for " + Describe(line, delimiter, qualifier));
    } catch (const ComError& error) {
        FUZZ_CHECK(error.number() == errnum::kOverflow && !expected,
                   "error " + std::to_string(error.number()) + " for " + Describe(line, delimiter, qualifier));
    }
    return 0;
}
