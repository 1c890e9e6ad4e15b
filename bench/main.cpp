// lumivar-bench: how fast the section formatter turns C text into HTML, and how much memory it
// takes. Each case runs in a child process of its own, so that its peak memory is its own.
//
//   lumivar-bench [--plain | --check] [--bytes N] [--runs N] [--only a|b|c|d|e] INPUT.c
//
// Cases: (a) c_entered.hlx, strings, characters and block comments as entered sections;
// (b) c_patterns.hlx, the same as single patterns; (c) catch_all.hlx; (d) case (a) on the
// first MiB against the whole input, and against the first MiB ten times over; (e)
// lumivar-hlx format with case (a), output to
// /dev/null, against its memory bound. --plain runs the plain formatter of the engine's tests
// (every pattern over the whole rest of the input at each fresh search) instead; --check runs
// both and says whether their texts are equal, without timing anything; --bytes
// takes only the first N bytes of the input; --runs repeats each case and keeps the fastest.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <libgen.h>
#include <string>
#include <vector>

#include "engine/hlx_reader.h"
#include "engine/section_formatter.h"
#include "engine/tests/reference_formatter.h"
#include "engine/text_streams.h"
#include "platform/automation/error.h"
#include "platform/os/file_io.h"
#include "platform/text/codepage.h"

namespace {

const std::string kDefinitions = LUMIVAR_BENCH_DIR;

struct Options {
    bool plain = false;
    bool check = false;
    size_t bytes = 0;  // 0: all
    int runs = 1;
    std::string only;  // the one case to run, or all
    std::string input;
};

struct Figures {
    double seconds = 0;
    long peakKiB = 0;
    size_t outputUnits = 0;
};

// Counts the output and drops it.
class CountingSink : public engine::OutputSink {
public:
    void write(std::u16string_view text) override { units += text.size(); }
    size_t units = 0;
};

// Never cancels and never stops for events.
class SilentProgress : public engine::FormatProgress {
public:
    bool cancelled() override { return false; }
    uint32_t report(int32_t) override { return 1u << 20; }
};

std::string FileBytes(const std::string& path, size_t limit) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        std::perror(path.c_str());
        std::exit(2);
    }
    std::string bytes = fileio::ReadToEnd(fd);
    ::close(fd);
    if (limit && bytes.size() > limit) bytes.resize(limit);
    return bytes;
}

// The processor time this thread has used: what one formatting run costs, whatever else the
// machine is doing.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Formats the text in this process: the time of formatting alone, from text to text.
modHlx::DefinitionTree Definition(const std::string& name) {
    return modHlx::ReadHlx(text::AnsiToText(kDefinitions + "/" + name));
}

// Formats the text with both formatters and says whether they wrote the same.
bool SameText(const std::string& definition, const std::u16string& input) {
    modHlx::DefinitionTree tree = Definition(definition);
    const modHlx::SectionRecord& start = tree.Sections.at(0).value;
    SilentProgress progress;
    std::u16string plain, fast;
    LONG plainPtr = 0, fastPtr = 0;
    reference::FormatSection(tree, &start, input, plain, plainPtr, progress);
    FormatSection(tree, start, input, fast, fastPtr, progress);
    return plain == fast && plainPtr == fastPtr;
}

Figures FormatOnce(const std::string& definition, const std::u16string& input, bool plain) {
    modHlx::DefinitionTree tree = Definition(definition);
    const modHlx::SectionRecord& start = tree.Sections.at(0).value;
    SilentProgress progress;
    Figures figures;
    LONG ptr = 0;
    double began = ThreadSeconds();
    if (plain) {
        std::u16string out;
        reference::FormatSection(tree, &start, input, out, ptr, progress);
        figures.outputUnits = out.size();
    } else {
        CountingSink sink;
        FormatSection(tree, start, input, sink, ptr, progress);
        figures.outputUnits = sink.units;
    }
    figures.seconds = ThreadSeconds() - began;
    return figures;
}

// Runs work in a child process and returns its figures with the child's peak memory.
template <class Work>
Figures InChild(Work work) {
    int channel[2];
    if (::pipe(channel) != 0) std::exit(2);
    pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        Figures figures;
        try {
            figures = work();
        } catch (const ComError& error) {
            std::fprintf(stderr, "Error %ld: %s\n", long(error.number()), text::TextToAnsi(error.description()).c_str());
            ::_exit(1);
        }
        ssize_t written = ::write(channel[1], &figures, sizeof figures);
        ::_exit(written == ssize_t(sizeof figures) ? 0 : 1);
    }
    ::close(channel[1]);
    Figures figures;
    ssize_t got = ::read(channel[0], &figures, sizeof figures);
    ::close(channel[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (got != ssize_t(sizeof figures) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "lumivar-bench: a case failed\n");
        std::exit(1);
    }
    figures.peakKiB = usage.ru_maxrss;
    return figures;
}

Figures Fastest(int runs, const std::function<Figures()>& once) {
    Figures best;
    for (int run = 0; run < runs; ++run) {
        Figures figures = once();
        if (run == 0 || figures.seconds < best.seconds) best = figures;
    }
    return best;
}

// Formats the first `bytes` of the input, `repeat` times over.
Figures FormatCase(const Options& options, const std::string& definition, size_t bytes, int repeat = 1) {
    return Fastest(options.runs, [&] {
        return InChild([&] {
            std::string bytesToFormat = FileBytes(options.input, bytes);
            if (repeat > 1) {
                std::string part = std::move(bytesToFormat);
                for (int i = 0; i < repeat; ++i) bytesToFormat += part;
            }
            std::u16string input = text::AnsiToText(bytesToFormat);
            std::string().swap(bytesToFormat);
            return FormatOnce(definition, input, options.plain);
        });
    });
}

// lumivar-hlx format as a whole: reading, decoding, formatting, encoding and writing.
Figures CommandCase(const Options& options, const std::string& definition, size_t bytes) {
    std::string tool = std::string(::dirname(std::string(realpath("/proc/self/exe", nullptr)).data())) + "/lumivar-hlx";
    std::string inputCopy = options.input;
    if (bytes) {
        inputCopy = "/tmp/lumivar-bench-input-" + std::to_string(::getpid());
        std::string part = FileBytes(options.input, bytes);
        FILE* file = std::fopen(inputCopy.c_str(), "wb");
        std::fwrite(part.data(), 1, part.size(), file);
        std::fclose(file);
    }
    std::string definitionPath = kDefinitions + "/" + definition;
    Figures best = Fastest(options.runs, [&] {
        pid_t child = ::fork();
        if (child == 0) {
            int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::execl(tool.c_str(), tool.c_str(), "format", definitionPath.c_str(), inputCopy.c_str(), nullptr);
            ::_exit(127);
        }
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "lumivar-bench: %s failed\n", tool.c_str());
            std::exit(1);
        }
        Figures figures;
        figures.seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                          double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        figures.peakKiB = usage.ru_maxrss;
        return figures;
    });
    if (bytes) std::remove(inputCopy.c_str());
    return best;
}

void PrintRow(const char* name, size_t inputBytes, const Figures& figures) {
    double megabytes = double(inputBytes) / 1e6;
    std::printf("%-34s %10.2f MB %9.3f s %9.1f MB/s %9.1f MB peak\n", name, megabytes, figures.seconds,
                megabytes / figures.seconds, double(figures.peakKiB) / 1024.0);
    std::fflush(stdout);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--plain") {
            options.plain = true;
        } else if (argument == "--check") {
            options.check = true;
        } else if (argument == "--bytes" && i + 1 < argc) {
            options.bytes = std::strtoull(argv[++i], nullptr, 10);
        } else if (argument == "--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else if (argument == "--runs" && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (options.input.empty() && argument[0] != '-') {
            options.input = argument;
        } else {
            options.input.clear();
            break;
        }
    }
    if (options.input.empty()) {
        std::fputs("Usage: lumivar-bench [--plain | --check] [--bytes N] [--runs N] [--only a|b|c|d|e] INPUT.c\n",
                   stderr);
        std::exit(2);
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    // The processor time of this thread is the formatter's cost only when no chunk of the input
    // goes to a second thread; the whole-process figures show what two threads give.
    engine::detail::SetChunkUnits(0);
    struct stat status {};
    if (::stat(options.input.c_str(), &status) != 0) {
        std::perror(options.input.c_str());
        return 2;
    }
    size_t total = options.bytes ? std::min<size_t>(options.bytes, size_t(status.st_size)) : size_t(status.st_size);
    size_t small = std::min<size_t>(total, 1 << 20);
    std::printf("input %s, %zu bytes; %s formatter, fastest of %d\n", options.input.c_str(), total,
                options.plain ? "plain" : "the", options.runs);

    auto wanted = [&](const char* name) { return options.only.empty() || options.only == name; };
    if (options.check) {
        std::u16string input = text::AnsiToText(FileBytes(options.input, total));
        bool allSame = true;
        const std::pair<const char*, const char*> cases[] = {
            {"a", "c_entered.hlx"}, {"b", "c_patterns.hlx"}, {"c", "catch_all.hlx"}};
        for (const auto& [name, definition] : cases) {
            if (!wanted(name)) continue;
            bool same = SameText(definition, input);
            allSame = allSame && same;
            std::printf("%-16s %s\n", definition, same ? "the same text as the plain formatter" : "DIFFERENT TEXT");
        }
        return allSame ? 0 : 1;
    }
    if (wanted("a")) PrintRow("(a) C, entered sections", total, FormatCase(options, "c_entered.hlx", total));
    if (wanted("b")) PrintRow("(b) C, single patterns", total, FormatCase(options, "c_patterns.hlx", total));
    if (wanted("c")) PrintRow("(c) catch-all only", total, FormatCase(options, "catch_all.hlx", total));
    if (wanted("d")) {
        Figures part = FormatCase(options, "c_entered.hlx", small);
        Figures whole = FormatCase(options, "c_entered.hlx", total);
        PrintRow("(d) C, entered sections, first MiB", small, part);
        PrintRow("(d) C, entered sections, all", total, whole);
        std::printf("(d) %.1f times the input took %.2f times the time\n", double(total) / double(small),
                    whole.seconds / part.seconds);
        Figures repeated = FormatCase(options, "c_entered.hlx", small, 10);
        PrintRow("(d) the first MiB ten times over", small * 10, repeated);
        std::printf("(d) the same text ten times over took %.2f times the time\n", repeated.seconds / part.seconds);
    }
    if (wanted("e") && !options.plain) {
        Figures command = CommandCase(options, "c_entered.hlx", options.bytes ? total : 0);
        PrintRow("(e) lumivar-hlx format, case (a)", total, command);
        std::printf("(e) peak memory %.1f MB, bound 3 x input + 64 MB = %.1f MB\n", double(command.peakKiB) / 1024.0,
                    3.0 * double(total) / 1048576.0 + 64.0);
    }
    return 0;
}
