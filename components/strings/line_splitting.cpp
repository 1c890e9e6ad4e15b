#include "components/strings/line_splitting.h"

#include "components/strings/string_errors.h"
#include "platform/automation/error_numbers.h"

namespace strings {
namespace {

// One character compared with a string, as the whole strings compare.
bool IsCharacter(char16_t c, std::u16string_view s) { return s.size() == 1 && s.front() == c; }

// Reads one field from position on. True when a separating character was skipped, so that
// another field follows.
class FieldReader {
public:
    FieldReader(std::u16string_view line, std::u16string_view delimiter, std::u16string_view qualifier)
        : line_(line), delimiter_(delimiter), qualifier_(qualifier) {}

    bool read(std::u16string& field) {
        const std::u16string_view rest = line_.substr(position_);
        if (rest.substr(0, 1) == qualifier_) return readQuoted(field);
        return readUnquoted(field);
    }

private:
    bool readQuoted(std::u16string& field) {
        position_ += qualifier_.size();
        while (position_ < line_.size()) {
            const char16_t c = line_[position_];
            if (!IsCharacter(c, qualifier_)) {
                field.push_back(c);
                ++position_;
            } else if (position_ + 1 < line_.size() && IsCharacter(line_[position_ + 1], qualifier_)) {
                field.push_back(c);
                position_ += 2;
            } else {
                ++position_;  // the closing qualifier
                return skipOne();
            }
        }
        return false;
    }

    bool readUnquoted(std::u16string& field) {
        const size_t start = position_;
        while (position_ < line_.size() && !IsCharacter(line_[position_], delimiter_)) ++position_;
        field.assign(line_.substr(start, position_ - start));
        return skipOne();
    }

    bool skipOne() {
        if (position_ >= line_.size()) return false;
        ++position_;
        return true;
    }

    std::u16string_view line_, delimiter_, qualifier_;
    size_t position_ = 0;
};

}  // namespace

std::vector<std::u16string> SplitLine(std::u16string_view line, std::u16string_view delimiter,
                                      std::u16string_view qualifier) {
    FieldReader reader(line, delimiter, qualifier);
    std::vector<std::u16string> fields;
    bool more = true;
    while (more) {
        if (fields.size() == kMaxLineFields) Raise(errnum::kOverflow);
        more = reader.read(fields.emplace_back());
    }
    return fields;
}

}  // namespace strings
