#include "tools/hlx/convert/source_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

namespace convert {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 6> kVersionControlFolders{".git", ".hg", ".svn", ".bzr", "CVS", "_darcs"};

bool IsVersionControlFolder(const fs::path& path) {
    const std::string name = path.filename().string();
    return std::find(kVersionControlFolders.begin(), kVersionControlFolders.end(), name) != kVersionControlFolders.end();
}

// A path for the output tree: '/'-separated, without a root, "." or "..".
std::string RelativeOf(const fs::path& path) {
    std::string relative;
    for (const fs::path& part : path.lexically_normal()) {
        const std::string name = part.string();
        if (part.has_root_directory() || name.empty() || name == "." || name == ".." || name == "/") continue;
        if (!relative.empty()) relative += '/';
        relative += name;
    }
    return relative;
}

bool Inside(const fs::path& path, const fs::path& folder) {
    auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

class Walker {
public:
    explicit Walker(const std::string& outputFolder) {
        std::error_code error;
        output_ = fs::weakly_canonical(outputFolder, error);
    }

    void source(const std::string& argument) {
        struct stat status {};
        if (::stat(argument.c_str(), &status) != 0) return skip(argument, std::strerror(errno));
        if (S_ISDIR(status.st_mode)) {
            std::error_code error;
            root_ = fs::canonical(argument, error);
            if (error) return skip(argument, error.message());
            return folder(argument, fs::path());
        }
        root_.clear();
        file(argument, RelativeOf(argument), status);
    }

    SourceList take() {
        std::sort(list_.files.begin(), list_.files.end(),
                  [](const SourceFile& a, const SourceFile& b) { return a.relative < b.relative; });
        auto same = [](const SourceFile& a, const SourceFile& b) { return a.relative == b.relative; };
        for (auto it = std::adjacent_find(list_.files.begin(), list_.files.end(), same); it != list_.files.end();
             it = std::adjacent_find(it, list_.files.end(), same)) {
            skip((it + 1)->path, "its output would be that of " + it->path);
            list_.files.erase(it + 1);
        }
        return std::move(list_);
    }

private:
    void folder(const fs::path& path, const fs::path& relative) {
        std::error_code error;
        if (fs::equivalent(path, output_, error)) return;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
            entries.push_back(*it);
        if (error) return skip(path.string(), error.message());
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries) this->entry(entry.path(), relative / entry.path().filename());
    }

    void entry(const fs::path& path, const fs::path& relative) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) return skip(path.string(), std::strerror(errno));
        if (S_ISDIR(status.st_mode)) {
            if (!IsVersionControlFolder(path)) folder(path, relative);
            return;
        }
        if (S_ISLNK(status.st_mode)) return link(path, relative);
        file(path.string(), RelativeOf(relative), status);
    }

    void link(const fs::path& path, const fs::path& relative) {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) return skip(path.string(), std::strerror(errno));
        if (S_ISDIR(status.st_mode)) return skip(path.string(), "symbolic link to a folder, not followed");
        std::error_code error;
        const fs::path target = fs::canonical(path, error);
        if (error || !Inside(target, root_)) return skip(path.string(), "symbolic link out of the tree");
        file(path.string(), RelativeOf(relative), status);
    }

    void file(const std::string& path, std::string relative, const struct stat& status) {
        if (!S_ISREG(status.st_mode)) return skip(path, "not a regular file");
        if (relative.empty()) return skip(path, "no file name to place under the output folder");
        list_.files.push_back({path, std::move(relative), uint64_t(status.st_size),
                               int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec});
    }

    void skip(std::string path, std::string reason) { list_.skipped.push_back({std::move(path), std::move(reason)}); }

    fs::path output_;
    fs::path root_;  // the canonical source folder being walked
    SourceList list_;
};

}  // namespace

SourceList ListSources(const std::vector<std::string>& sources, const std::string& outputFolder) {
    Walker walker(outputFolder);
    for (const std::string& source : sources) walker.source(source);
    return walker.take();
}

std::vector<std::string> SplitFileList(std::string_view bytes) {
    const char separator = bytes.find('\0') != std::string_view::npos ? '\0' : '\n';
    std::vector<std::string> paths;
    while (!bytes.empty()) {
        size_t end = std::min(bytes.find(separator), bytes.size());
        std::string_view path = bytes.substr(0, end);
        if (separator == '\n' && !path.empty() && path.back() == '\r') path.remove_suffix(1);
        if (!path.empty()) paths.emplace_back(path);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return paths;
}

}  // namespace convert
