#include "tools/hlx/convert/folder_index.h"

#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "components/strings/text_transforms.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"

namespace convert {

namespace {

// The colours and font of the shipped look (hlx/tests/look.txt).
constexpr char kPageStart[] =
    "<!DOCTYPE html>\n"
    "<html><head><meta name=\"color-scheme\" content=\"light dark\"><style>\n"
    "body{margin:0;padding:8px;color:#24292f;background:#fff;font:13px/1.45 monospace}\n"
    "a{color:#0550ae}h1{font-size:15px;color:#8250df}td,th{padding:1px 16px 1px 0;text-align:left}\n"
    "td.z{text-align:right}th{color:#6e7781}\n"
    "@media (prefers-color-scheme:dark){body{color:#d4d4d4;background:#1e1e1e}a{color:#4fc1ff}h1{color:#c586c0}"
    "th{color:#6a9955}}\n"
    "</style><title>";

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

std::string Row(const std::string& href, const std::string& name, const std::string& language,
                const std::string& size) {
    return "<tr><td><a href=\"" + Href(href) + "\">" + Html(name) + "</a></td><td>" + Html(language) +
           "</td><td class=\"z\">" + size + "</td></tr>\n";
}

std::string Page(const std::string& folder, const Listing& listing) {
    const std::string title = "/" + folder;
    std::string page = kPageStart + Html(title) + "</title></head><body><h1>" + Html(title) + "</h1>\n" +
                       "<table><tr><th>Name</th><th>Language</th><th>Size</th></tr>\n";
    if (!folder.empty()) page += Row("../index.html", "..", "", "");
    for (const std::string& sub : listing.folders) page += Row(sub + "/index.html", sub + "/", "folder", "");
    for (const auto& [name, entry] : listing.files)
        page += Row(name + ".html", name, entry->language, std::to_string(entry->size));
    return page + "</table></body></html>\n";
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
