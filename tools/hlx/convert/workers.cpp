#include "tools/hlx/convert/workers.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/section_formatter.h"
#include "engine/text_streams.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"
#include "tools/hlx/convert/error_text.h"
#include "tools/hlx/convert/line_anchors.h"

namespace convert {

namespace {

constexpr size_t kBinaryProbe = 8192;

// Reads the cancel flag; the formatter reports about every few thousand steps.
class CancelFlagProgress : public engine::FormatProgress {
public:
    explicit CancelFlagProgress(const std::atomic<bool>& cancel) : cancel_(cancel) {}
    bool cancelled() override { return cancel_.load(std::memory_order_relaxed); }
    uint32_t report(int32_t) override { return 4096; }

private:
    const std::atomic<bool>& cancel_;
};

// The bytes of a regular file; opened without waiting, so that a FIFO put in its place
// cannot hold a worker.
std::string ReadSource(const std::string& path, const std::atomic<bool>& cancel) {
    fileio::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) throw std::system_error(errno, std::system_category());
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) throw std::system_error(errno, std::system_category());
    if (!S_ISREG(status.st_mode)) throw std::system_error(EINVAL, std::system_category(), "not a regular file");
    return fileio::ReadToEnd(fd.get(), fileio::kMaxWholeFileBytes, [&cancel] { return cancel.load(); });
}

bool IsBinary(std::string_view bytes) {
    return std::memchr(bytes.data(), 0, std::min(bytes.size(), kBinaryProbe)) != nullptr;
}

// Formats the text into the replacement of task.output; false when cancelled.
bool Format(const Task& task, std::u16string_view text, bool lineAnchors, const std::atomic<bool>& cancel) {
    std::filesystem::create_directories(std::filesystem::path(task.output).parent_path());
    filereplace::Replacement output(task.output);
    engine::AnsiOutputSink sink([&output](std::string_view bytes) { output.write(bytes); });
    CancelFlagProgress progress(cancel);
    const modHlx::DefinitionTree& tree = *task.definition->tree;
    LONG ptr = 0;
    if (lineAnchors) {
        LineAnchorSink anchors(sink);
        FormatSection(tree, tree.Sections.at(0).value, text, anchors, ptr, progress);
        anchors.finish();
    } else {
        FormatSection(tree, tree.Sections.at(0).value, text, sink, ptr, progress);
    }
    sink.finish();
    if (cancel) return false;  // the replacement goes, with its temporary file
    output.commit();
    return true;
}

}  // namespace

Outcome ConvertFile(const Task& task, bool lineAnchors, const std::atomic<bool>& cancel) {
    try {
        std::u16string text;
        {
            const std::string bytes = ReadSource(task.file->path, cancel);
            if (IsBinary(bytes)) return {Result::Skipped, "binary (a NUL byte in its first 8 KB)"};
            text = text::AnsiToText(bytes);
        }
        if (!Format(task, text, lineAnchors, cancel)) return {};
        return {Result::Converted, {}};
    } catch (const fileio::ReadStopped&) {
        return {};
    } catch (const std::exception& error) {
        return {Result::Failed, ErrorText(error)};
    }
}

std::vector<Outcome> ConvertAll(const std::vector<Task>& tasks, unsigned jobs, bool lineAnchors,
                                const std::atomic<bool>& cancel, Counters& counters,
                                const std::function<void()>& whileWaiting) {
    std::vector<Outcome> outcomes(tasks.size());
    std::atomic<size_t> next{0};
    std::mutex lock;
    std::condition_variable ended;
    unsigned running = std::max(1u, std::min<unsigned>(jobs, unsigned(std::max<size_t>(tasks.size(), 1))));
    auto work = [&] {
        for (size_t i; !cancel && (i = next++) < tasks.size();) {
            outcomes[i] = ConvertFile(tasks[i], lineAnchors, cancel);
            counters.bytes += tasks[i].file->size;
            ++counters.files;
        }
        std::lock_guard guard(lock);
        --running;
        ended.notify_one();
    };
    std::vector<std::jthread> workers;
    for (unsigned n = running; n > 0; --n) workers.emplace_back(work);
    std::unique_lock guard(lock);
    while (running > 0) {
        if (ended.wait_for(guard, std::chrono::milliseconds(100), [&] { return running == 0; })) break;
        guard.unlock();
        whileWaiting();
        guard.lock();
    }
    return outcomes;
}

}  // namespace convert
