// Helpers for the formatter's tests: a progress that records its reports and cancels on cue,
// and a small builder for definition trees.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/narrow_text.h"
#include "engine/definition_tree.h"
#include "engine/format_progress.h"
#include "engine/hlx_reader.h"
#include "platform/automation/error.h"
#include "platform/regexp/search_watch.h"

namespace formattest {

// Records every report; sets its cancel flag at the report numbered cancelAt (from 1), and
// grants `quota` steps per report.
class RecordingProgress : public engine::FormatProgress {
public:
    // With stepsOnly, the reports the search tick makes during a long search (a slow or loaded
    // run makes them) are left out: the plain formatter makes none, so comparisons with it
    // count the reports of steps only.
    explicit RecordingProgress(uint32_t quota = 1, size_t cancelAt = std::numeric_limits<size_t>::max(),
                               bool stepsOnly = false)
        : quota_(quota), cancelAt_(cancelAt), stepsOnly_(stepsOnly) {}
    bool cancelled() override { return cancelled_; }
    uint32_t report(int32_t position) override {
        if (stepsOnly_ && regexp::SearchWatch::Ticking()) return quota_;
        reports.push_back(position);
        if (reports.size() >= cancelAt_) cancelled_ = true;
        return quota_;
    }
    void cancelNow() { cancelled_ = true; }

    std::vector<int32_t> reports;

private:
    uint32_t quota_;
    size_t cancelAt_;
    bool stepsOnly_;
    bool cancelled_ = false;
};

// The recording to compare with the plain formatter's.
inline RecordingProgress StepReports(uint32_t quota = 1, size_t cancelAt = std::numeric_limits<size_t>::max()) {
    return RecordingProgress(quota, cancelAt, true);
}

// What one formatting run gave, an error included, for comparing two formatters.
struct Outcome {
    std::u16string out;
    LONG ptr = 0;
    LONG error = 0;
    std::u16string description;
    std::vector<int32_t> reports;
};

// Runs run(out, ptr, progress); a ComError it raises becomes the outcome's error.
template <class Run>
Outcome Capture(Run run, RecordingProgress& progress) {
    Outcome outcome;
    try {
        run(outcome.out, outcome.ptr, progress);
    } catch (const ComError& error) {
        outcome.error = error.number();
        outcome.description = error.description();
    }
    outcome.reports = progress.reports;
    return outcome;
}

inline std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

using testsupport::Narrow;

// Builds a tree section by section, rule by rule.
class TreeBuilder {
public:
    TreeBuilder& section(const std::u16string& name, bool ignoreCase = true) {
        modHlx::SectionRecord record = modHlx::NewSection();
        record.Name = name;
        record.IgnoreCase = ignoreCase;
        current_ = &tree_.Sections.add(name, record);
        return *this;
    }
    TreeBuilder& header(const std::u16string& line) {
        current_->Header.obtain(u"HTML").push_back(line);
        return *this;
    }
    TreeBuilder& footer(const std::u16string& line) {
        current_->Footer.obtain(u"HTML").push_back(line);
        return *this;
    }
    // A rule with one or more patterns (separated by "\n" in `patterns`).
    TreeBuilder& rule(const std::u16string& patterns, const std::u16string* format, const std::u16string& enter = {},
                      bool returns = false) {
        modHlx::RuleRecord rule = modHlx::NewRule();
        size_t from = 0;
        while (true) {
            size_t end = patterns.find(u'\n', from);
            std::u16string pattern = patterns.substr(from, end == std::u16string::npos ? std::u16string::npos : end - from);
            rule.Patterns.push_back(modHlx::PatternRecord{pattern, line_++, u"generated.hlx"});
            if (end == std::u16string::npos) break;
            from = end + 1;
        }
        if (format) rule.Formats.assign(u"HTML", *format);
        if (!enter.empty()) rule.Enter = enter;
        rule.Return = returns;
        current_->Rules.push_back(std::move(rule));
        return *this;
    }
    TreeBuilder& rule(const std::u16string& patterns, const std::u16string& format, const std::u16string& enter = {},
                      bool returns = false) {
        return rule(patterns, &format, enter, returns);
    }
    const modHlx::DefinitionTree& tree() const { return tree_; }
    const modHlx::SectionRecord& first() const { return tree_.Sections.at(0).value; }

private:
    modHlx::DefinitionTree tree_;
    modHlx::SectionRecord* current_ = nullptr;
    LONG line_ = 1;
};

}  // namespace formattest
