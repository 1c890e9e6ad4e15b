#include "tools/hlx/convert/convert_command.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "components/registration/first_start.h"
#include "engine/section_formatter.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"
#include "platform/os/file_replace.h"
#include "platform/os/process.h"
#include "platform/ui/console_ui.h"
#include "tools/hlx/convert/definitions.h"
#include "tools/hlx/convert/error_text.h"
#include "tools/hlx/convert/folder_index.h"
#include "tools/hlx/convert/manifest.h"
#include "tools/hlx/convert/progress_line.h"
#include "tools/hlx/convert/shard.h"
#include "tools/hlx/convert/source_list.h"
#include "tools/hlx/convert/workers.h"

namespace convert {

namespace {

struct Options {
    std::vector<std::string> sources;
    std::string out;
    unsigned jobs = 0;  // 0: every usable processor
    bool lineAnchors = false;
    std::optional<std::string> filesFrom;
    std::optional<Shard> shard;
    bool force = false;
    bool indexOnly = false;
};

std::optional<unsigned> Jobs(const std::string& text) {
    try {
        size_t end = 0;
        const unsigned long jobs = std::stoul(text, &end);
        if (end == text.size() && jobs >= 1 && jobs <= 1024) return unsigned(jobs);
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// "--name value" or "--name=value"; false when the value is missing.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "=")) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name || i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

std::optional<Options> Parse(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--line-anchors") {
            o.lineAnchors = true;
        } else if (arg == "--force") {
            o.force = true;
        } else if (arg == "--index-only") {
            o.indexOnly = true;
        } else if (arg.starts_with("--out")) {
            if (!TakeValue(args, i, "--out", o.out) || o.out.empty()) return std::nullopt;
        } else if (arg.starts_with("--jobs")) {
            std::optional<unsigned> jobs;
            if (!TakeValue(args, i, "--jobs", value) || !(jobs = Jobs(value))) return std::nullopt;
            o.jobs = *jobs;
        } else if (arg.starts_with("--files-from")) {
            if (!TakeValue(args, i, "--files-from", value)) return std::nullopt;
            o.filesFrom = value;
        } else if (arg.starts_with("--shard")) {
            if (!TakeValue(args, i, "--shard", value) || !(o.shard = ParseShard(value))) return std::nullopt;
        } else if (arg.starts_with("--") && arg != "--") {
            return std::nullopt;
        } else {
            o.sources.push_back(arg);
        }
    }
    if (o.indexOnly) {
        if (o.out.empty() && o.sources.size() == 1) o.out = o.sources.front();
        return o.out.empty() ? std::nullopt : std::optional<Options>(o);
    }
    if (o.out.empty() || (o.sources.empty() && !o.filesFrom)) return std::nullopt;
    return o;
}

std::vector<std::string> ListedFiles(const std::string& list) {
    if (list == "-") return SplitFileList(fileio::ReadToEnd(STDIN_FILENO));
    fileio::FileDescriptor fd(::open(list.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw std::system_error(errno, std::system_category(), list);
    return SplitFileList(fileio::ReadToEnd(fd.get()));
}

struct Summary {
    size_t converted = 0;
    size_t unchanged = 0;
    size_t removed = 0;
    size_t notDone = 0;
    std::vector<Skipped> skipped;
    std::vector<Skipped> failed;

    void print() const {
        for (const Skipped& s : skipped) std::fprintf(stderr, "skipped: %s: %s\n", s.path.c_str(), s.reason.c_str());
        for (const Skipped& f : failed) std::fprintf(stderr, "failed: %s: %s\n", f.path.c_str(), f.reason.c_str());
        std::fprintf(stderr, "lumivar-hlx convert: %zu converted, %zu unchanged, %zu skipped, %zu failed, %zu removed",
                     converted, unchanged, skipped.size(), failed.size(), removed);
        if (notDone > 0) std::fprintf(stderr, "; cancelled with %zu not done", notDone);
        std::fputs(".\n", stderr);
    }
};

class Conversion {
public:
    explicit Conversion(Options options)
        : o_(std::move(options)),
          definitions_((os::ProgramFolder() / "hlx").string(), o_.lineAnchors),
          manifestPath_(ManifestPath(o_.out, o_.shard)),
          previous_(ReadManifest(manifestPath_)) {}

    int run() {
        if (o_.filesFrom) {
            std::vector<std::string> listed = ListedFiles(*o_.filesFrom);
            o_.sources.insert(o_.sources.end(), listed.begin(), listed.end());
        }
        SourceList list = ListSources(o_.sources, o_.out);
        summary_.skipped = std::move(list.skipped);
        std::filesystem::create_directories(o_.out);
        std::vector<Task> tasks = plan(list.files);
        convert(tasks);
        if (summary_.notDone > 0) {
            // Cancelled: what was converted is recorded; nothing is removed.
            current_.merge(previous_);
            WriteManifest(manifestPath_, current_);
            summary_.print();
            return kConvertCancelled;
        }
        removeGone();
        WriteManifest(manifestPath_, current_);
        if (!o_.shard) WriteIndexes(o_.out, ReadAllManifests(o_.out));
        summary_.print();
        return summary_.failed.empty() ? kConvertDone : kConvertFailed;
    }

private:
    // The files to convert; those that did not change carry their record over.
    std::vector<Task> plan(const std::vector<SourceFile>& files) {
        std::vector<Task> tasks;
        for (const SourceFile& file : files) {
            if (o_.shard && !InShard(file.relative, *o_.shard)) continue;
            const Definition& definition = definitions_.For(file);
            if (definition.missing) {
                summary_.skipped.push_back({file.path, "no definition (" + definition.name + ")"});
                continue;
            }
            if (!definition.tree) {
                summary_.failed.push_back({file.path, definition.failure});
                continue;
            }
            const std::string output = OutputOf(file.relative);
            auto known = previous_.find(file.relative);
            if (!o_.force && known != previous_.end() && Unchanged(known->second, file, definition.hash) &&
                std::filesystem::exists(output)) {
                current_.insert(*known);
                ++summary_.unchanged;
                continue;
            }
            tasks.push_back({&file, &definition, output});
        }
        return tasks;
    }

    void convert(const std::vector<Task>& tasks) {
        std::atomic<bool> cancel{false};
        ui::ConsoleServices::catchInterrupt([&cancel] { cancel = true; });
        uint64_t bytes = 0;
        for (const Task& task : tasks) bytes += task.file->size;
        ProgressLine progress(stderr, tasks.size(), bytes);
        Counters counters;
        const unsigned jobs = o_.jobs ? o_.jobs : os::UsableProcessors();
        std::vector<Outcome> outcomes = ConvertAll(tasks, jobs, o_.lineAnchors, cancel, counters, [&] {
            ui::Current().processPendingEvents();  // where Ctrl+C sets the flag
            progress.draw(counters.files, counters.bytes);
        });
        progress.clear();
        for (size_t i = 0; i < tasks.size(); ++i) record(tasks[i], outcomes[i]);
    }

    void record(const Task& task, const Outcome& outcome) {
        switch (outcome.result) {
        case Result::Converted:
            current_[task.file->relative] = {task.file->size, task.file->modified, task.definition->hash,
                                             task.definition->language};
            ++summary_.converted;
            break;
        case Result::Skipped:
            summary_.skipped.push_back({task.file->path, outcome.reason});
            break;
        case Result::Failed:
            summary_.failed.push_back({task.file->path, outcome.reason});
            break;
        case Result::NotDone:
            ++summary_.notDone;
            break;
        }
    }

    // Outputs recorded before whose source is gone (or is no longer converted).
    void removeGone() {
        for (const auto& [relative, entry] : previous_) {
            if (current_.contains(relative)) continue;
            std::error_code error;
            if (!std::filesystem::remove(OutputOf(relative), error)) continue;
            ++summary_.removed;
            RemoveEmptyFolders(std::filesystem::path(OutputOf(relative)).parent_path());
        }
    }

    // A folder left with nothing but its index goes, and so on up to the output folder.
    void RemoveEmptyFolders(std::filesystem::path folder) const {
        std::error_code error;
        const std::filesystem::path top = std::filesystem::weakly_canonical(o_.out, error);
        while (!std::filesystem::equivalent(folder, top, error) && !error) {
            std::filesystem::remove(folder / "index.html", error);
            if (!std::filesystem::remove(folder, error) || error) break;  // not empty: another file is there
            folder = folder.parent_path();
        }
    }

    std::string OutputOf(const std::string& relative) const { return o_.out + "/" + relative + ".html"; }

    Options o_;
    Definitions definitions_;
    std::string manifestPath_;
    Manifest previous_;
    Manifest current_;
    Summary summary_;
};

}  // namespace

}  // namespace convert

int RunConvert(const std::vector<std::string>& arguments) {
    std::optional<convert::Options> options = convert::Parse(arguments);
    if (!options) return kConvertUsage;
    try {
        if (options->indexOnly) {
            convert::WriteIndexes(options->out, convert::ReadAllManifests(options->out));
            return kConvertDone;
        }
        // Long inputs are not split over further threads: the workers keep every processor busy.
        engine::detail::SetChunkUnits(0);
        filereplace::RemoveTemporaryFilesWhenTerminated();
        // The definition reader creates "Tavrel.Strings2".
        components::RegisterModulesOnFirstStart("lumivar-hlx");
        return convert::Conversion(std::move(*options)).run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lumivar-hlx convert: %s\n", convert::ErrorText(error).c_str());
        return kConvertFailed;
    }
}
