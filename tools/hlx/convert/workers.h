// Converting the files of a tree on several threads: each worker takes the next file, reads it,
// formats it with its definition (the patterns compiled once per worker thread, in its cache)
// and writes the output crash-safe (a temporary file renamed into place on success only), so
// that a failure or a cancel never leaves a partial output.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/hlx/convert/definitions.h"
#include "tools/hlx/convert/source_list.h"

namespace convert {

struct Task {
    const SourceFile* file = nullptr;
    const Definition* definition = nullptr;  // loaded, with a tree
    std::string output;
};

enum class Result { Converted, Skipped, Failed, NotDone };

struct Outcome {
    Result result = Result::NotDone;  // a cancel left it undone
    std::string reason;               // for Skipped and Failed
};

struct Counters {
    std::atomic<uint64_t> files{0};
    std::atomic<uint64_t> bytes{0};  // of the sources done
};

// Converts the tasks on `jobs` threads until all are done or `cancel` is set; the calling thread
// runs whileWaiting about every 100 ms meanwhile (progress, Ctrl+C). Outcomes are in task order.
std::vector<Outcome> ConvertAll(const std::vector<Task>& tasks, unsigned jobs, bool lineAnchors,
                                const std::atomic<bool>& cancel, Counters& counters,
                                const std::function<void()>& whileWaiting);

// One file, on the calling thread.
Outcome ConvertFile(const Task& task, bool lineAnchors, const std::atomic<bool>& cancel);

}  // namespace convert
