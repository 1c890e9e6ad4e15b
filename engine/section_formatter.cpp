#include "engine/section_formatter.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/chunk_join.h"
#include "engine/compiled_section.h"
#include "engine/formatter_state.h"
#include "engine/output_buffer.h"
#include "engine/output_route.h"
#include "platform/automation/error_numbers.h"
#include "platform/regexp/search_watch.h"

namespace engine::detail {

namespace {

constexpr size_t kFlushUnits = 32 * 1024;     // output handed to a sink in pieces of about this size
constexpr uint32_t kLongestPlainRun = 64 * 1024;  // steps of plain text taken at once

struct Choice {
    uint32_t pattern = kNoMatch;
    uint32_t start = 0;
    uint32_t end = 0;
};

// Runs on guessed chunks report nothing: the calling thread reports as it joins them.
class Unreported : public FormatProgress {
public:
    bool cancelled() override { return false; }
    uint32_t report(int32_t) override { return std::numeric_limits<uint32_t>::max(); }
};

std::unique_ptr<ChunkGuesser> NewGuesser(const modHlx::DefinitionTree& hlx, std::u16string_view inp,
                                         const modHlx::SectionRecord& start);

std::u16string AsText(uint32_t number) {
    std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

ComError SectionNotFound(const CompiledSection& section, const CompiledPattern& pattern, const CompiledRule& rule) {
    std::u16string description = u"Subscript out of range: the section \"" + rule.enter + u"\" entered by a rule of the section \"" +
                                 section.record->Name + u"\" does not exist (the rule's pattern is on line " +
                                 AsText(uint32_t(pattern.record->Line)) + u" in " + pattern.record->File + u").";
    return ComError(errnum::kSubscriptOutOfRange, errsource::kProgram, description);
}

// Formats one input. run() steps from the start section to the end, joining the chunks that
// the other thread formatted ahead when the input is long (ChunkJoin); guess() formats one such
// chunk. A step chooses the longest match at the position (choose: the searched patterns' next
// matches, kept in slots by catchUp, and the pattern set's answer for those a position
// decides), writes it (apply) and may enter or leave a section; stretches where only
// single units can match go in one call (takePlainRun).
class SectionFormatter final : public JoinableFormatter {
public:
    SectionFormatter(const modHlx::DefinitionTree& hlx, std::u16string_view inp, OutputRoute route, FormatProgress& progress)
        : hlx_(hlx), inp_(inp), route_(route),
          out_([this](std::u16string_view piece) { route_.handOn(piece); }, kFlushUnits, route_.escapedCopies()),
          progress_(progress) {}

    void run(const modHlx::SectionRecord& start, LONG& ptr) {
        if (ptr < 0) throw ComError(errnum::kInvalidProcedureCall, errsource::kProgram, u"Invalid procedure call or argument");
        if (inp_.size() > size_t(std::numeric_limits<LONG>::max())) throw ComError(errnum::kOverflow, errsource::kProgram, u"Overflow");
        len_ = uint32_t(inp_.size());
        ptr_ = uint32_t(ptr);
        cancelled_ = progress_.cancelled();
        // During a long search the progress is reported about every 20 ms; a cancel seen then
        // stops the search, and the step it belonged to is not taken.
        regexp::SearchWatch watch([this] {
            progress_.report(int32_t(ptr_));
            return !progress_.cancelled();
        });
        try {
            startJoin(start);
            if (!join_ || !join_->joinNext(*this)) enter(start);
            while (!frames_.empty()) {
                const uint32_t nextJoin = join_ ? join_->nextJoin() : kNoMatch;
                iterate(std::min(nextJoin, len_));
                if (ptr_ >= nextJoin && !frames_.empty()) join_->joinNext(*this);
            }
        } catch (...) {
            join_.reset();
            ptr = LONG(ptr_);
            flushAfterFailure();
            throw;
        }
        join_.reset();
        ptr = LONG(ptr_);
        flush();
    }

    // See ChunkGuesser::guess. A failure is kept in the run, with the output made before it.
    void guess(const modHlx::SectionRecord& start, uint32_t from, uint32_t stopAt, const std::atomic<bool>& abandoned,
               ChunkRun& run) {
        len_ = uint32_t(inp_.size());
        ptr_ = from;
        guessStop_ = stopAt;
        guessMargin_ = std::max((stopAt - std::min(stopAt, from)) / 8, 1u);
        route_.toChunk(&run.output);
        frames_.clear();
        slots_.clear();
        cancelled_ = false;
        try {
            enter(start);
            FormatAhead(*this, from, stopAt, len_, abandoned, run);
        } catch (...) {
            run.failure = std::current_exception();
        }
        run.usable = !cancelled_ && !abandoned.load(std::memory_order_relaxed);
        flush();
        route_.toChunk(nullptr);
        run.end = save();
    }

    // What the chunk join needs (see JoinableFormatter).
    uint32_t position() const override { return ptr_; }
    bool running() const override { return !frames_.empty(); }
    bool cancelled() const override { return cancelled_; }
    void step(uint32_t batchUntil) override { iterate(batchUntil); }

    bool keepWaiting() override {
        progress_.report(int32_t(ptr_));
        cancelled_ = progress_.cancelled();
        return !cancelled_;
    }
    void lookForCancel() override { cancelled_ = progress_.cancelled(); }

    // A join point is a step's end in the start section alone, with every slot caught up (or
    // a fresh search due): the slots and the subject's start then decide every later step.
    void noteJoinPoint(ChunkRun& run) override {
        if (frames_.size() != 1) return;
        Frame& frame = frames_.back();
        if (!frame.rebuild && !caughtUp(frame)) return;
        const Slot* slots = slots_.data() + frame.slots;
        const size_t output = route_.chunkSize() + out_.size();
        run.joins.push_back(JoinPoint{ptr_, frame.searchStart, frame.rebuild, output, run.joinSlots.size()});
        run.joinSlots.insert(run.joinSlots.end(), slots, slots + frame.section->searched().size());
    }

    // The start section alone runs in both, and either both search afresh now, or every slot
    // holds the same element and the next search of each sees the same text in both subjects
    // (it starts at least the pattern's look-behind after both subjects' starts), and no run of
    // a run pattern's units reaches back from here to where the subjects begin.
    bool sameFutureAs(const ChunkRun& run, const JoinPoint& point) override {
        if (frames_.size() != 1) return false;
        Frame& frame = frames_.back();
        if (frame.rebuild || point.rebuild) return frame.rebuild == point.rebuild;
        if (!caughtUp(frame) || !searchedOn(frame)) return false;
        const bool sameSubject = frame.searchStart == point.searchStart;
        if (!sameSubject && (frame.searchStart >= ptr_ || point.searchStart >= ptr_)) return false;
        if (!sameSubject && frame.section->set.runCrosses(inp_, ptr_)) return false;
        const uint32_t subjectsBegin = std::max(frame.searchStart, point.searchStart);
        const CompiledSection& section = *frame.section;
        const Slot* slots = slots_.data() + frame.slots;
        for (size_t k = 0; k < section.searched().size(); ++k) {
            const Slot& mine = slots[k];
            const Slot& theirs = run.joinSlots[point.slots + k];
            const CompiledPattern& pattern = section.patterns[section.searched()[k]];
            if (!sameElement(pattern, mine, theirs)) return false;
            if (sameSubject) continue;
            const uint64_t seenAlike = uint64_t(subjectsBegin) + pattern.regex->maxLookbehind();
            if (theirs.unsearched() && theirs.start < seenAlike) return false;
            if (mine.start == kNoMatch) continue;
            const uint64_t nextFrom = uint64_t(mine.end) + (mine.start == mine.end ? 1 : 0);
            if (nextFrom < seenAlike) return false;
        }
        return true;
    }

    // Whether my slot holds the element theirs holds. An unsearched one of theirs says only that
    // no element starts before it: mine must start there or later, found by a search from no
    // further on (a search from further on may have passed over an element theirs would find).
    static bool sameElement(const CompiledPattern& pattern, const Slot& mine, const Slot& theirs) {
        if (!theirs.unsearched()) return mine.start == theirs.start && mine.end == theirs.end;
        const SearchMemo& memo = *pattern.memo;
        return mine.start >= theirs.start && memo.start == mine.start && memo.end == mine.end && memo.from <= theirs.start;
    }

    // Searches on for every unsearched slot of the call (a chunk formatted ahead leaves some):
    // false when a search fails or a cancel stops it, as caughtUp.
    bool searchedOn(Frame& frame) {
        Slot* const slots = slots_.data() + frame.slots;
        try {
            for (size_t k = 0; k < frame.section->searched().size(); ++k) {
                if (slots[k].unsearched()) slots[k] = find(frame.section->patterns[frame.section->searched()[k]], frame.searchStart, slots[k].start);
            }
            return true;
        } catch (const regexp::SearchInterrupted&) {
            cancelled_ = true;
        } catch (const ComError&) {
        }
        return false;
    }

    void handOn(const ChunkOutput& output, size_t from) override {
        flush();
        output.forEachPiece(from, [this](std::u16string_view piece) { route_.handOn(piece); });
    }

    SavedState save() const override {
        SavedState state;
        for (const Frame& frame : frames_) state.frames.emplace_back(frame.section->record, frame);
        state.slots = slots_;
        state.ptr = ptr_;
        return state;
    }

    void restore(const SavedState& state) override {
        frames_.clear();
        for (const auto& [record, saved] : state.frames) {
            Frame frame = saved;
            frame.section = &compiled(*record);
            frames_.push_back(frame);
        }
        slots_ = state.slots;
        ptr_ = state.ptr;
    }

private:
    // A step, and more in the same call while the section stays and they end before
    // `batchUntil` (a position where the caller looks at the state between steps).
    void iterate(uint32_t batchUntil) {
        if (ptr_ >= len_ || cancelled_) {
            leave();
        } else {
            stepUnlessCancelled(frames_.back(), batchUntil);
        }
        if (out_.roughSize() >= kFlushUnits) flush();
    }

    // A long input is formatted in chunks on two threads (see ChunkJoin). Where each unit is only
    // copied, a section's steps cost less than handing output between threads.
    void startJoin(const modHlx::SectionRecord& start) {
        if (cancelled_ || compiled(start).copiesEveryUnit) return;
        join_ = ChunkJoin::Start(inp_, ptr_, [this, &start] { return NewGuesser(hlx_, inp_, start); });
    }

    // What was made before a failure is handed on; a failure to write it does not hide the
    // first one.
    void flushAfterFailure() noexcept {
        try {
            flush();
        } catch (...) {
        }
    }

    void flush() { out_.flush(); }

    CompiledSection& compiled(const modHlx::SectionRecord& record) {
        std::unique_ptr<CompiledSection>& section = sections_[&record];
        if (!section) {
            section = CompileSection(hlx_, record);
            for (CompiledPattern& pattern : section->patterns) {
                std::shared_ptr<SearchMemo>& shared = memos_[pattern.regex.get()];
                if (shared) pattern.memo = shared;
                else shared = pattern.memo;
            }
        }
        return *section;
    }

    // The start of a section call: its header, and a search before its first step.
    void enter(const modHlx::SectionRecord& record) { enter(compiled(record)); }
    void enter(CompiledSection& section) {
        Frame frame;
        frame.section = &section;
        frame.slots = slots_.size();
        slots_.resize(slots_.size() + section.searched().size());
        frames_.push_back(frame);
        out_.append(section.header);
    }

    // The end of the running call: its footer; the caller then goes on after its nested call.
    void leave() {
        while (true) {
            const Frame& frame = frames_.back();
            out_.append(frame.section->footer);
            slots_.resize(frame.slots);
            frames_.pop_back();
            if (frames_.empty()) return;
            Frame& caller = frames_.back();
            caller.rebuild = true;
            if (!caller.returnAfterChild) {
                afterStep();
                return;
            }
        }
    }

    // After every step that does not end its section: the progress report, when one is due.
    void afterStep() {
        if (--quota_ != 0) return;
        uint32_t granted = progress_.report(int32_t(ptr_));
        quota_ = granted ? granted : 1;
        cancelled_ = progress_.cancelled();
    }

    // A step, or none when a cancel stops one of its searches: nothing of it has been written
    // then, and the sections end as after a cancel between steps.
    void stepUnlessCancelled(Frame& frame, uint32_t batchUntil) {
        try {
            steps(frame, batchUntil);
        } catch (const regexp::SearchInterrupted&) {
            cancelled_ = true;
        }
    }

    // Steps in the frame's section until one enters or leaves a section, or one ends at or
    // after batchUntil, a report cancels, or the output is due to be handed on.
    void steps(Frame& frame, uint32_t batchUntil) {
        if (frame.rebuild) rebuild(frame);
        do {
            if (ptr_ < frame.nextSearched && takePlainRun(frame)) continue;
            Choice choice = choose(frame);
            if (choice.pattern == kNoMatch) {
                ++ptr_;  // nothing matches here: the unit is dropped
                afterStep();
                continue;
            }
            if (!apply(frame, choice)) return;
        } while (ptr_ < batchUntil && !cancelled_ && out_.roughSize() < kFlushUnits);
    }

    // Apart from the step loop, so that the loop keeps its few values in registers.
    [[gnu::noinline]] void rebuild(Frame& frame) {
        CompiledSection& section = *frame.section;
        if (section.failure) throw *section.failure;
        frame.searchStart = ptr_;
        frame.rebuild = false;
        uint32_t next = kNoMatch;
        Slot* slots = slots_.data() + frame.slots;
        for (size_t k = 0; k < section.searched().size(); ++k) {
            slots[k] = find(section.patterns[section.searched()[k]], ptr_, ptr_);
            next = std::min(next, slots[k].start);
        }
        frame.nextSearched = next;
    }

    bool isWordStart(const Frame& frame, uint32_t position) const {
        return position == frame.searchStart || !IsWordUnit(inp_[position - 1]);
    }

    // Steps at positions where no searched pattern has a match, so that only single-unit
    // patterns can: each unit is copied escaped, filled into its rule's template or dropped,
    // with no search and no report until the run ends. Stops before a unit whose rule enters
    // or returns and before a word start where a keyword may begin. False when it took no
    // step.
    bool takePlainRun(const Frame& frame) {
        const CompiledSection& section = *frame.section;
        const uint32_t first = ptr_;
        // Most calls stand where a run pattern's match or a word may begin: no plain step.
        const char16_t firstUnit = inp_[first];
        if (section.actionFor(firstUnit) == UnitAction::Stop || (section.set.wordMayStartWith(firstUnit) && isWordStart(frame, first)))
            return false;
        const uint32_t end = std::min(frame.nextSearched, len_);
        const uint32_t maxSteps = std::min(quota_, kLongestPlainRun);
        const uint32_t limit = end > first && end - first > maxSteps ? first + maxSteps : end;
        const char16_t* const text = inp_.data();
        uint32_t at = section.copiesEveryUnit ? limit : first;
        uint32_t copyFrom = first;  // units from here on are copied escaped, not yet appended
        while (at < limit) {
            const char16_t unit = text[at];
            if (section.set.wordMayStartWith(unit) && isWordStart(frame, at)) break;
            const UnitAction action = section.actionFor(unit);
            if (action == UnitAction::Copy) {
                ++at;
                continue;
            }
            if (action == UnitAction::Stop) break;
            const CompiledPattern* filled = action == UnitAction::Other ? &section.patterns[section.set.singleFor(unit)] : nullptr;
            if (filled && !section.rules[filled->rule].plain) break;
            out_.copyEscaped(units(copyFrom, at));
            if (filled) filled->format.appendFilled(out_, units(at, at + 1), NoGroups);
            copyFrom = ++at;  // a dropped unit is not copied
        }
        out_.copyEscaped(units(copyFrom, at));
        ptr_ = at;
        const uint32_t steps = at - first;
        if (steps == 0) return false;
        quota_ -= steps - 1;
        afterStep();
        return true;
    }

    static std::u16string_view NoGroups(uint32_t) { return {}; }

    // The input's units [begin, end), positions the formatter has checked (no check again).
    std::u16string_view units(uint32_t begin, uint32_t end) const {
        return std::u16string_view(inp_.data() + begin, end - begin);
    }

    // The longest match at the current position; the lowest pattern among equally long ones.
    Choice choose(Frame& frame) {
        CompiledSection& section = *frame.section;
        Choice best;
        uint32_t bestLength = 0;
        auto consider = [&](uint32_t pattern, uint32_t start, uint32_t end) {
            uint32_t length = end - start;
            if (length == 0) return;  // an empty match is never chosen
            if (length > bestLength || (length == bestLength && pattern < best.pattern)) {
                best = Choice{pattern, start, end};
                bestLength = length;
            }
        };
        if (ptr_ >= frame.nextSearched) {
            catchUp(frame, [&](uint32_t pattern, const Slot& slot) { consider(pattern, slot.start, slot.end); });
        }
        const uint32_t subjectStart = frame.searchStart;
        section.set.matchesAt(units(subjectStart, len_), ptr_ - subjectStart,
                              [&](uint32_t pattern, size_t end) { consider(pattern, ptr_, uint32_t(end) + subjectStart); });
        return best;
    }

    // Moves every slot of the call to the first element of its list that does not start before
    // the current position, handing each that then starts there to atPosition(pattern, slot).
    // Most slots start further on and are only compared.
    template <class AtPosition>
    void catchUp(Frame& frame, AtPosition atPosition) {
        Slot* const slots = slots_.data() + frame.slots;
        const size_t count = frame.section->searched().size();
        uint32_t next = kNoMatch;
        for (size_t k = 0; k < count; ++k) {
            if (slots[k].start > ptr_) {
                next = std::min(next, slots[k].start);
                continue;
            }
            if (slots[k].start < ptr_ || slots[k].unsearched()) advanceSlot(frame, k);
            const Slot& slot = slots[k];
            if (slot.start == ptr_) atPosition(frame.section->searched()[k], slot);
            next = std::min(next, slot.start);
        }
        frame.nextSearched = next;
    }

    // Apart from the loop over the slots, so that the loop keeps its few values in registers.
    [[gnu::noinline]] void advanceSlot(Frame& frame, size_t k) {
        advance(frame.section->patterns[frame.section->searched()[k]], frame, slots_[frame.slots + k]);
    }

    // catchUp outside a step: false when a search fails (it fails again when a step needs it)
    // or a cancel stops it (the sections then end as after a cancel between steps).
    bool caughtUp(Frame& frame) {
        try {
            catchUp(frame, [](uint32_t, const Slot&) {});
            return true;
        } catch (const regexp::SearchInterrupted&) {
            cancelled_ = true;
        } catch (const ComError&) {
        }
        return false;
    }

    // Moves the slot to the first element of the pattern's match list that does not start
    // before the current position. Each element is searched for from the end of the one
    // before it (one unit further after an empty one), as a global search does.
    void advance(CompiledPattern& pattern, const Frame& frame, Slot& slot) {
        while (slot.start < ptr_ || (slot.start == ptr_ && slot.unsearched())) {
            uint32_t from = slot.unsearched() ? slot.start : slot.end + (slot.start == slot.end ? 1 : 0);
            slot = find(pattern, frame.searchStart, from);
        }
    }

    // The first match at or after `from` in the subject that begins at subjectStart.
    Slot find(CompiledPattern& pattern, uint32_t subjectStart, uint32_t from) {
        if (from > len_) return Slot{};
        SearchMemo& memo = *pattern.memo;
        if (!memoAnswers(pattern, subjectStart, from)) {
            const uint32_t lastStart = lastStartFor(from);
            const Slot found = search(pattern, subjectStart, from, lastStart);
            memo.from = from;
            memo.subjectStart = subjectStart;
            memo.start = found.start;
            memo.end = found.end;
            memo.searchedTo = lastStart;
        }
        if (memo.start == kNoMatch && memo.searchedTo < len_) return Slot{memo.searchedTo + 1, Slot::kUnsearched};
        return Slot{memo.start, memo.end};
    }

    // How far a search from `from` looks for a match's start: to the end, except when formatting a
    // chunk ahead, which needs matches up to a little past the chunk's end only (searching on to
    // the end from every chunk would cost the input's length per chunk; an eighth of a chunk past
    // it, where a whole chunk had a rare pattern scan the input twice over).
    uint32_t lastStartFor(uint32_t from) const {
        if (guessStop_ == kNoMatch) return len_;
        return uint32_t(std::min<uint64_t>(len_, uint64_t(std::max(from, guessStop_)) + guessMargin_));
    }

    // Whether the pattern's last search gives the first match at or after `from` for this
    // subject too: it searched from at or before `from` and found nothing before it, and the
    // tries from `from` to its match go alike in both subjects.
    bool memoAnswers(const CompiledPattern& pattern, uint32_t subjectStart, uint32_t from) const {
        const SearchMemo& memo = *pattern.memo;
        const uint32_t knownTo = memo.start == kNoMatch ? memo.searchedTo : memo.start;
        if (memo.from == kNoMatch || from < memo.from || from > knownTo) return false;
        return pattern.regex->triesAlike(inp_, subjectStart, memo.subjectStart, from, knownTo);
    }

    Slot search(CompiledPattern& pattern, uint32_t subjectStart, uint32_t from, uint32_t lastStart) {
        std::u16string_view subject = units(subjectStart, len_);
        SearchMemo& memo = *pattern.memo;
        memo.hasGroups = pattern.format.usesGroups();
        const size_t lastInSubject = lastStart >= len_ ? regexp::Span::npos : lastStart - subjectStart;
        try {
            if (memo.hasGroups) {
                if (!pattern.regex->searchFrom(subject, from - subjectStart, memo.groups, lastInSubject)) return Slot{};
                return Slot{uint32_t(memo.groups[0].start + subjectStart), uint32_t(memo.groups[0].end + subjectStart)};
            }
            std::optional<regexp::Span> span = pattern.regex->searchFrom(subject, from - subjectStart, lastInSubject);
            if (!span) return Slot{};
            return Slot{uint32_t(span->start + subjectStart), uint32_t(span->end + subjectStart)};
        } catch (const ComError& error) {
            memo.from = kNoMatch;
            throw PatternError(*pattern.record, error);
        }
    }

    // The groups of the chosen match of a searched pattern, as spans in the subject that
    // begins at *base.
    const std::vector<regexp::Span>& groupsOf(CompiledPattern& pattern, const Frame& frame, const Choice& choice,
                                              uint32_t* base) {
        const SearchMemo& memo = *pattern.memo;
        if (memo.hasGroups && memo.start == choice.start && memo.end == choice.end) {
            *base = memo.subjectStart;
            return memo.groups;
        }
        *base = frame.searchStart;
        std::u16string_view subject = inp_.substr(frame.searchStart);
        bool found;
        try {
            found = pattern.regex->searchFrom(subject, choice.start - frame.searchStart, groups_);
        } catch (const ComError& error) {
            throw PatternError(*pattern.record, error);
        }
        if (!found || groups_[0].start + frame.searchStart != choice.start || groups_[0].end + frame.searchStart != choice.end) {
            throw ComError(errnum::kInternalError, errsource::kProgram, u"Internal error: a match could not be found again.");
        }
        return groups_;
    }

    void appendFilled(CompiledPattern& pattern, const Frame& frame, const Choice& choice) {
        std::u16string_view match = units(choice.start, choice.end);
        if (!pattern.format.usesGroups()) {
            pattern.format.appendFilled(out_, match, NoGroups);
        } else if (frame.section->set.groupsAreTheMatch(pattern.order)) {
            pattern.format.appendFilled(out_, match, [&](uint32_t) { return match; });
        } else {
            uint32_t base = 0;
            const std::vector<regexp::Span>& groups = groupsOf(pattern, frame, choice, &base);
            pattern.format.appendFilled(out_, match, [&](uint32_t group) -> std::u16string_view {
                const regexp::Span& span = groups[group + 1];
                if (!span.matched()) return {};
                return inp_.substr(base + span.start, span.length());
            });
        }
    }

    // False when the step entered or left a section.
    bool apply(Frame& frame, const Choice& choice) {
        CompiledSection& section = *frame.section;
        CompiledPattern& pattern = section.patterns[choice.pattern];
        if (pattern.copiesMatch) {  // most steps
            out_.copyEscaped(units(choice.start, choice.end));
            ptr_ = choice.end;
            afterStep();
            return true;
        }
        CompiledRule& rule = section.rules[pattern.rule];
        appendFilled(pattern, frame, choice);
        ptr_ = choice.end;
        if (!rule.enter.empty()) {
            if (!rule.enterSection) throw SectionNotFound(section, pattern, rule);
            if (!rule.entered) rule.entered = &compiled(*rule.enterSection);
            frame.returnAfterChild = rule.returns;
            enter(*rule.entered);  // frame is not used after this: the frame stack may move
            return false;
        }
        if (rule.returns) {
            leave();
            return false;
        }
        afterStep();
        return true;
    }

    const modHlx::DefinitionTree& hlx_;
    std::u16string_view inp_;
    OutputRoute route_;
    OutputBuffer out_;
    FormatProgress& progress_;
    std::unordered_map<const modHlx::SectionRecord*, std::unique_ptr<CompiledSection>> sections_;
    std::unordered_map<const regexp::Pattern*, std::shared_ptr<SearchMemo>> memos_;  // see CompiledPattern::memo
    std::vector<Frame> frames_;
    std::vector<Slot> slots_;
    std::vector<regexp::Span> groups_;
    uint32_t len_ = 0;
    uint32_t ptr_ = 0;
    uint32_t guessStop_ = kNoMatch;  // formatting a chunk ahead: where the chunk ends
    uint32_t guessMargin_ = 0;       // how far past it and past a search's start searches look
    uint32_t quota_ = 1;  // steps left before the next report
    bool cancelled_ = false;
    std::unique_ptr<ChunkJoin> join_;  // while a long input runs on two threads
};

// A formatter of its own for one thread of a pool.
class Guesser : public ChunkGuesser {
public:
    Guesser(const modHlx::DefinitionTree& hlx, std::u16string_view inp, const modHlx::SectionRecord& start)
        : start_(start), formatter_(hlx, inp, OutputRoute(), unreported_) {}
    void guess(uint32_t from, uint32_t stopAt, const std::atomic<bool>& abandoned, ChunkRun& run) override {
        formatter_.guess(start_, from, stopAt, abandoned, run);
    }

private:
    Unreported unreported_;
    const modHlx::SectionRecord& start_;
    SectionFormatter formatter_;
};

std::unique_ptr<ChunkGuesser> NewGuesser(const modHlx::DefinitionTree& hlx, std::u16string_view inp,
                                         const modHlx::SectionRecord& start) {
    return std::make_unique<Guesser>(hlx, inp, start);
}

}  // namespace

}  // namespace engine::detail

void engine::OutputSink::writeEscaped(std::u16string_view text) {
    strings::EscapeHtmlInPieces(text, [this](std::u16string_view piece) { write(piece); });
}

void engine::CompileAhead(const modHlx::SectionRecord& section) { detail::CompilePatterns(section); }

void FormatSection(const modHlx::DefinitionTree& hlx, const modHlx::SectionRecord& Section, std::u16string_view inp,
                   std::u16string& out, LONG& ptr, engine::FormatProgress& progress) {
    engine::detail::SectionFormatter(hlx, inp, engine::detail::OutputRoute(out), progress).run(Section, ptr);
}

void FormatSection(const modHlx::DefinitionTree& hlx, const modHlx::SectionRecord& Section, std::u16string_view inp,
                   engine::OutputSink& out, LONG& ptr, engine::FormatProgress& progress) {
    engine::detail::SectionFormatter(hlx, inp, engine::detail::OutputRoute(out), progress).run(Section, ptr);
}
