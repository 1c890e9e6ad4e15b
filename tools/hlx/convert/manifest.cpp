#include "tools/hlx/convert/manifest.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/os/file_replace.h"

namespace convert {

namespace {

constexpr char kFirstLine[] = "lumivar convert manifest 1";

// A path with its tabs, line ends and percent signs written as %XX, so that it fits a field.
std::string Encoded(std::string_view path) {
    std::string out;
    for (char c : path) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", unsigned(static_cast<unsigned char>(c)));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Decoded(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        unsigned value = 0;
        if (field[i] == '%' && i + 2 < field.size() &&
            std::from_chars(field.data() + i + 1, field.data() + i + 3, value, 16).ptr == field.data() + i + 3) {
            out += char(value);
            i += 2;
        } else {
            out += field[i];
        }
    }
    return out;
}

template <typename Number>
bool ParseNumber(std::string_view field, Number& value) {
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
        fields.push_back(line.substr(0, tab));
    fields.push_back(line);
    return fields;
}

void ReadInto(const std::string& path, Manifest& manifest) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kFirstLine) return;
    while (std::getline(in, line)) {
        std::vector<std::string_view> f = Fields(line);
        ManifestEntry entry;
        if (f.size() != 5 || !ParseNumber(f[1], entry.size) || !ParseNumber(f[2], entry.modified) ||
            !ParseNumber(f[3], entry.definitionHash))
            continue;
        entry.language = Decoded(f[4]);
        manifest[Decoded(f[0])] = std::move(entry);
    }
}

}  // namespace

std::string ManifestPath(const std::string& outputFolder, const std::optional<Shard>& shard) {
    std::string path = outputFolder + "/" + kManifestName;
    if (shard) path += "-" + std::to_string(shard->index) + "-of-" + std::to_string(shard->count);
    return path;
}

Manifest ReadManifest(const std::string& path) {
    Manifest manifest;
    ReadInto(path, manifest);
    return manifest;
}

void WriteManifest(const std::string& path, const Manifest& manifest) {
    std::ostringstream out;
    out << kFirstLine << '\n';
    for (const auto& [relative, entry] : manifest) {
        out << Encoded(relative) << '\t' << entry.size << '\t' << entry.modified << '\t' << entry.definitionHash << '\t'
            << Encoded(entry.language) << '\n';
    }
    filereplace::ReplaceFileContent(path, out.str());
}

Manifest ReadAllManifests(const std::string& outputFolder) {
    Manifest manifest;
    std::error_code error;
    for (std::filesystem::directory_iterator it(outputFolder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().starts_with(kManifestName)) ReadInto(it->path().string(), manifest);
    }
    return manifest;
}

}  // namespace convert
