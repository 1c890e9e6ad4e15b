// Counts how deep a walk through objects that hold objects has gone on this thread, so that the
// walk of an object that holds itself, or of an endlessly nested input, can stop with a failure
// before the stack runs out. Walks of one kind share a Tag and with it one count.
#pragma once

namespace automation {

template <class Tag>
class NestingLevel {
public:
    NestingLevel() { ++count(); }
    ~NestingLevel() { --count(); }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

    // The walks of this kind under way on this thread, this one included.
    int depth() const { return count(); }

private:
    static int& count() {
        thread_local int levels = 0;
        return levels;
    }
};

}  // namespace automation
