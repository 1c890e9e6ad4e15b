// The files a conversion of a tree takes: folders walked recursively, or a list of paths. Each
// file gets the path its output takes under the output folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace convert {

struct SourceFile {
    std::string path;      // as the file system is given it
    std::string relative;  // under the output folder, '/'-separated, never absolute nor with ".."
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds since the epoch
};

// A file left out, with the reason ("binary", "no definition (x.hlx)", an errno text, ...).
struct Skipped {
    std::string path;
    std::string reason;
};

struct SourceList {
    std::vector<SourceFile> files;  // sorted by relative path, each relative path once
    std::vector<Skipped> skipped;
};

// Walks each source: a folder's files are placed relative to it, a file by its path as given
// (leading "/" and ".." dropped). Version-control folders and the output folder are passed
// over; symbolic links to files are taken only when they lead to a file inside the same source,
// links to folders are not followed (no loops, no tree outside); anything that is not a regular
// file is skipped with the reason.
SourceList ListSources(const std::vector<std::string>& sources, const std::string& outputFolder);

// The paths of a list: separated by NUL bytes when there is one, otherwise by line ends (a
// CR before the LF is dropped); empty entries are left out.
std::vector<std::string> SplitFileList(std::string_view bytes);

}  // namespace convert
