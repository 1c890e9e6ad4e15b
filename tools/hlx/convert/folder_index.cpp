#include "tools/hlx/convert/folder_index.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "components/strings/text_transforms.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"
#include "tools/hlx/convert/look.h"

namespace convert {

namespace {

struct Listing {
    std::set<std::string> folders;
    std::vector<std::pair<std::string, const ManifestEntry*>> files;  // name, entry
};

std::string Html(std::string_view text) { return text::TextToAnsi(strings::EncodeHTML(text::AnsiToText(text))); }

// A path for an href: bytes outside the unreserved set and '/' as %XX.
std::string Href(std::string_view path) {
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_' || c == '~') {
            out += char(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", unsigned(c));
            out += hex;
        }
    }
    return out;
}

// One line of the listing: the link, then the language and the size in columns.
struct Line {
    std::string href;
    std::string name;
    std::string language;
    std::string size;
};

std::string Padding(size_t width, size_t used) { return std::string(width > used ? width - used : 1, ' '); }

// The page: the look's header (with a title) and footer around a listing in its <pre> block.
std::string Page(const std::string& folder, const Listing& listing) {
    const std::string title = Html("/" + folder);
    std::vector<Line> lines;
    if (!folder.empty()) lines.push_back({"../index.html", "../", "", ""});
    for (const std::string& sub : listing.folders) lines.push_back({sub + "/index.html", sub + "/", "folder", ""});
    for (const auto& [name, entry] : listing.files)
        lines.push_back({name + ".html", name, entry->language, std::to_string(entry->size)});
    size_t nameWidth = 0;
    for (const Line& line : lines) nameWidth = std::max(nameWidth, line.name.size() + 2);
    std::string page = kLookHeader;
    page.insert(std::min(page.find("</head>"), page.size()), "<title>" + title + "</title>");
    page += "<span class=\"hd\">" + title + "</span>\n\n";
    for (const Line& line : lines) {
        page += "<a href=\"" + Href(line.href) + "\">" + Html(line.name) + "</a>";
        if (line.language.empty()) {
            page += "\n";
            continue;
        }
        page += Padding(nameWidth, line.name.size()) + "<span class=\"k\">" + Html(line.language) + "</span>";
        if (!line.size.empty()) page += Padding(12, line.language.size() + line.size.size()) + "<span class=\"n\">" + line.size + "</span>";
        page += "\n";
    }
    return page + kLookFooter;
}

std::map<std::string, Listing> Listings(const Manifest& manifest) {
    std::map<std::string, Listing> listings{{"", {}}};
    for (const auto& [relative, entry] : manifest) {
        const size_t slash = relative.rfind('/');
        std::string folder = slash == std::string::npos ? "" : relative.substr(0, slash);
        listings[folder].files.emplace_back(relative.substr(slash + 1), &entry);
        // Each folder up to the root lists the one below it.
        while (!folder.empty()) {
            const size_t up = folder.rfind('/');
            const std::string parent = up == std::string::npos ? "" : folder.substr(0, up);
            if (!listings[parent].folders.insert(folder.substr(up + 1)).second) break;
            folder = parent;
        }
    }
    return listings;
}

}  // namespace

void WriteIndexes(const std::string& outputFolder, const Manifest& manifest) {
    for (const auto& [folder, listing] : Listings(manifest)) {
        const std::string path = folder.empty() ? outputFolder : outputFolder + "/" + folder;
        std::filesystem::create_directories(path);
        filereplace::ReplaceFileContent(path + "/index.html", Page(folder, listing));
    }
}

}  // namespace convert
