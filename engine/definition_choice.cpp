#include "engine/definition_choice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/default_definition.h"
#include "platform/automation/ascii.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_errors.h"
#include "platform/text/codepage.h"

namespace engine {

namespace {

using automation::AsciiLower;
using automation::IsAsciiDigit;
using automation::IsAsciiLetter;

enum class Clue : uint8_t {
    FileName,  // the whole last path component, as written
    Language,  // a "#!" interpreter, an Emacs mode or a vim filetype, in lower case
};

// What a file name or a language name chooses: an extension, which GetHLX maps to its file.
struct Choice {
    Clue clue;
    std::u16string_view name;
    std::u16string_view extension;
};

// A language missing here stands for the extension of its own name ("lua", "tcl", "go").
constexpr Choice kChoices[] = {
    {Clue::FileName, u"Makefile", u"makefile"},
    {Clue::FileName, u"makefile", u"makefile"},
    {Clue::FileName, u"GNUmakefile", u"makefile"},
    {Clue::FileName, u"Makefile.am", u"makefile"},
    {Clue::FileName, u"Makefile.in", u"makefile"},
    {Clue::FileName, u"Dockerfile", u"dockerfile"},
    {Clue::FileName, u"Containerfile", u"dockerfile"},
    {Clue::FileName, u"CMakeLists.txt", u"cmake"},
    {Clue::FileName, u"Gemfile", u"rb"},
    {Clue::FileName, u"Rakefile", u"rb"},
    {Clue::FileName, u"Vagrantfile", u"rb"},
    {Clue::FileName, u"Podfile", u"rb"},
    {Clue::FileName, u"Guardfile", u"rb"},
    {Clue::FileName, u"SConstruct", u"py"},
    {Clue::FileName, u"SConscript", u"py"},
    {Clue::FileName, u"Pipfile", u"toml"},
    {Clue::FileName, u"Jenkinsfile", u"groovy"},
    {Clue::FileName, u"PKGBUILD", u"sh"},
    {Clue::FileName, u"APKBUILD", u"sh"},
    {Clue::FileName, u".bashrc", u"sh"},
    {Clue::FileName, u".bash_profile", u"sh"},
    {Clue::FileName, u".bash_login", u"sh"},
    {Clue::FileName, u".bash_logout", u"sh"},
    {Clue::FileName, u".bash_aliases", u"sh"},
    {Clue::FileName, u".profile", u"sh"},
    {Clue::FileName, u".zshrc", u"sh"},
    {Clue::FileName, u".zprofile", u"sh"},
    {Clue::FileName, u".zshenv", u"sh"},
    {Clue::FileName, u".kshrc", u"sh"},
    {Clue::FileName, u".gitconfig", u"ini"},
    {Clue::FileName, u".gitmodules", u"ini"},
    {Clue::FileName, u".editorconfig", u"ini"},
    {Clue::FileName, u".emacs", u"el"},
    {Clue::FileName, u".vimrc", u"vim"},
    {Clue::FileName, u".gvimrc", u"vim"},
    {Clue::FileName, u"_vimrc", u"vim"},
    {Clue::FileName, u"nginx.conf", u"nginx"},
    {Clue::FileName, u"apache2.conf", u"apache"},
    {Clue::FileName, u"httpd.conf", u"apache"},
    {Clue::Language, u"python", u"py"},
    {Clue::Language, u"pypy", u"py"},
    {Clue::Language, u"ruby", u"rb"},
    {Clue::Language, u"jruby", u"rb"},
    {Clue::Language, u"perl", u"pl"},
    {Clue::Language, u"cperl", u"pl"},
    {Clue::Language, u"bash", u"sh"},
    {Clue::Language, u"dash", u"sh"},
    {Clue::Language, u"ash", u"sh"},
    {Clue::Language, u"zsh", u"sh"},
    {Clue::Language, u"ksh", u"sh"},
    {Clue::Language, u"mksh", u"sh"},
    {Clue::Language, u"shell-script", u"sh"},
    {Clue::Language, u"node", u"js"},
    {Clue::Language, u"nodejs", u"js"},
    {Clue::Language, u"javascript", u"js"},
    {Clue::Language, u"typescript", u"ts"},
    {Clue::Language, u"gawk", u"awk"},
    {Clue::Language, u"mawk", u"awk"},
    {Clue::Language, u"nawk", u"awk"},
    {Clue::Language, u"tclsh", u"tcl"},
    {Clue::Language, u"wish", u"tcl"},
    {Clue::Language, u"expect", u"tcl"},
    {Clue::Language, u"make", u"makefile"},
    {Clue::Language, u"gmake", u"makefile"},
    {Clue::Language, u"makefile-gmake", u"makefile"},
    {Clue::Language, u"luajit", u"lua"},
    {Clue::Language, u"rscript", u"r"},
    {Clue::Language, u"php-cgi", u"php"},
    {Clue::Language, u"pwsh", u"ps1"},
    {Clue::Language, u"powershell", u"ps1"},
    {Clue::Language, u"emacs-lisp", u"el"},
    {Clue::Language, u"lisp-interaction", u"el"},
    {Clue::Language, u"scheme", u"scm"},
    {Clue::Language, u"guile", u"scm"},
    {Clue::Language, u"c++", u"cpp"},
    {Clue::Language, u"nxml", u"xml"},
    {Clue::Language, u"mhtml", u"html"},
    {Clue::Language, u"markdown", u"md"},
    {Clue::Language, u"dosini", u"ini"},
    {Clue::Language, u"dosbatch", u"bat"},
    {Clue::Language, u"rust", u"rs"},
    {Clue::Language, u"kotlin", u"kt"},
    {Clue::Language, u"csharp", u"cs"},
    {Clue::Language, u"fortran", u"f90"},
    {Clue::Language, u"pascal", u"pas"},
    {Clue::Language, u"delphi", u"pas"},
    {Clue::Language, u"latex", u"tex"},
    {Clue::Language, u"plaintex", u"tex"},
    {Clue::Language, u"nroff", u"roff"},
    {Clue::Language, u"groff", u"roff"},
    {Clue::Language, u"asm", u"s"},
    {Clue::Language, u"text", u"txt"},
    {Clue::Language, u"docker", u"dockerfile"},
    {Clue::Language, u"octave", u"m"},
    {Clue::Language, u"octave-cli", u"m"},
    {Clue::Language, u"matlab", u"m"},
    {Clue::Language, u"haskell", u"hs"},
    {Clue::Language, u"runghc", u"hs"},
    {Clue::Language, u"runhaskell", u"hs"},
    {Clue::Language, u"ocaml", u"ml"},
    {Clue::Language, u"tuareg", u"ml"},
    {Clue::Language, u"escript", u"erl"},
    {Clue::Language, u"erlang", u"erl"},
    {Clue::Language, u"clojure", u"clj"},
    {Clue::Language, u"racket", u"scm"},
    {Clue::Language, u"verilog", u"v"},
    {Clue::Language, u"systemverilog", u"v"},
    {Clue::Language, u"rdmd", u"d"},
};

using Candidates = std::vector<std::u16string>;

std::u16string_view Trim(std::u16string_view text) {
    constexpr std::u16string_view kBlanks = u" \t";
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::u16string_view LastComponent(std::u16string_view path) {
    size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && automation::EqualIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

std::optional<std::u16string_view> ExtensionOf(Clue clue, std::u16string_view name) {
    for (const Choice& choice : kChoices)
        if (choice.clue == clue && choice.name == name) return choice.extension;
    return std::nullopt;
}

void AddExtension(std::u16string_view extension, Candidates& candidates) {
    candidates.push_back(DefinitionOfStem(extension));
}

// A language's name in lower case; only letters, digits and "+-_" make one, so that no other
// text can name a file.
std::optional<std::u16string> LanguageName(std::u16string_view word) {
    std::u16string name;
    for (char16_t c : word) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && std::u16string_view(u"+-_").find(c) == std::u16string_view::npos)
            return std::nullopt;
        name += AsciiLower(c);
    }
    if (name.empty()) return std::nullopt;
    return name;
}

void AddLanguage(std::u16string_view word, Candidates& candidates) {
    std::optional<std::u16string> name = LanguageName(word);
    if (!name) return;
    AddExtension(ExtensionOf(Clue::Language, *name).value_or(*name), candidates);
}

// "python3.11" -> "python", "tclsh8.6" -> "tclsh".
std::u16string_view WithoutVersion(std::u16string_view interpreter) {
    size_t end = interpreter.find_last_not_of(u"0123456789.");
    return end == std::u16string_view::npos ? interpreter : interpreter.substr(0, end + 1);
}

std::vector<std::u16string_view> Words(std::u16string_view text, std::u16string_view separators) {
    std::vector<std::u16string_view> words;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find_first_of(separators, start), text.size());
        if (end > start) words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// "#!/usr/bin/python3 -u", "#! /bin/sh", "#!/usr/bin/env -S VAR=1 python3 -u".
void AddInterpreter(std::u16string_view line, Candidates& candidates) {
    if (!line.starts_with(u"#!")) return;
    std::vector<std::u16string_view> words = Words(line.substr(2), u" \t");
    auto word = words.begin();
    if (word != words.end() && LastComponent(*word) == u"env") {
        ++word;
        auto isOption = [](std::u16string_view w) { return w.starts_with(u'-') || w.find(u'=') != w.npos; };
        while (word != words.end() && isOption(*word)) ++word;
    }
    if (word == words.end()) return;
    std::u16string_view interpreter = LastComponent(*word);
    AddLanguage(interpreter, candidates);
    if (WithoutVersion(interpreter) != interpreter) AddLanguage(WithoutVersion(interpreter), candidates);
}

// "-*- ruby -*-", "-*- mode: ruby; coding: utf-8 -*-"; a line of variables without "mode"
// names none.
void AddEmacsMode(std::u16string_view line, Candidates& candidates) {
    constexpr std::u16string_view kMark = u"-*-";
    size_t open = line.find(kMark);
    if (open == std::u16string_view::npos) return;
    size_t close = line.find(kMark, open + kMark.size());
    if (close == std::u16string_view::npos) return;
    std::u16string_view inside = line.substr(open + kMark.size(), close - open - kMark.size());
    if (inside.find(u':') == std::u16string_view::npos) return AddLanguage(Trim(inside), candidates);
    for (std::u16string_view variable : Words(inside, u";")) {
        size_t colon = variable.find(u':');
        if (colon == std::u16string_view::npos) continue;
        if (automation::EqualIgnoringAsciiCase(Trim(variable.substr(0, colon)), u"mode"))
            return AddLanguage(Trim(variable.substr(colon + 1)), candidates);
    }
}

// "vim: set ft=sh:", "vim: set filetype=sh :", "vi: ft=sh", "ex: ft=sh": the marker at the
// line's start or after a blank.
void AddVimFiletype(std::u16string_view line, Candidates& candidates) {
    for (std::u16string_view marker : {u"vim:", u"vi:", u"ex:"}) {
        for (size_t at = line.find(marker); at != std::u16string_view::npos; at = line.find(marker, at + 1)) {
            if (at > 0 && line[at - 1] != u' ' && line[at - 1] != u'\t') continue;
            for (std::u16string_view option : Words(line.substr(at + marker.size()), u" \t:")) {
                for (std::u16string_view key : {u"ft=", u"filetype="})
                    if (option.starts_with(key)) return AddLanguage(option.substr(key.size()), candidates);
            }
        }
    }
}

void AddMarkup(std::u16string_view line, Candidates& candidates) {
    line = Trim(line);
    if (line.starts_with(u"<?xml")) return AddExtension(u"xml", candidates);
    if (StartsWithIgnoringCase(line, u"<!doctype html") || StartsWithIgnoringCase(line, u"<html>") ||
        StartsWithIgnoringCase(line, u"<html "))
        AddExtension(u"html", candidates);
}

// A line with control characters other than tab is not text: nothing is read from it.
bool IsText(std::u16string_view line) {
    return std::none_of(line.begin(), line.end(), [](char16_t c) { return (c < u' ' && c != u'\t') || c == 0x7F; });
}

// The first 4 KB of a regular file; nothing from anything else (a device is not even opened)
// or on any failure.
std::u16string StartOfRegularFile(const std::u16string& fileName) {
    try {
        const std::string path = fileerrors::FileSystemPath(fileName, errsource::kProgram);
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
        fileio::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
        char bytes[4096];
        ssize_t count = ::read(fd.get(), bytes, sizeof bytes);
        return count > 0 ? text::AnsiToText(std::string_view(bytes, size_t(count))) : std::u16string();
    } catch (const ComError&) {
        return {};  // a name the file system cannot hold
    }
}

// The definitions the name and the first line point to, most telling first: a mode the
// author wrote down comes before the interpreter.
Candidates CandidatesFor(std::u16string_view fileName, std::u16string_view firstLine) {
    Candidates candidates;
    if (auto extension = ExtensionOf(Clue::FileName, LastComponent(fileName))) AddExtension(*extension, candidates);
    if (!IsText(firstLine)) return candidates;
    AddEmacsMode(firstLine, candidates);
    AddVimFiletype(firstLine, candidates);
    AddInterpreter(firstLine, candidates);
    AddMarkup(firstLine, candidates);
    return candidates;
}

}  // namespace

std::u16string ChooseDefinition(std::u16string_view fileName, const FirstLineSource& firstLine,
                                const DefinitionPresent& present) {
    std::u16string byExtension = GetHLX(fileName);
    if (present(byExtension)) return byExtension;
    for (const std::u16string& name : CandidatesFor(fileName, firstLine()))
        if (present(name)) return name;
    return byExtension;
}

std::u16string ChooseDefinitionForFile(const std::u16string& fileName, const DefinitionPresent& present) {
    return ChooseDefinition(fileName, [&fileName] { return std::u16string(FirstLine(StartOfRegularFile(fileName))); },
                            present);
}

std::u16string_view FirstLine(std::u16string_view text) {
    if (text.starts_with(u'\uFEFF')) text.remove_prefix(1);
    return text.substr(0, text.find_first_of(u"\r\n"));
}

std::u16string DefinitionOfStem(std::u16string_view stem) { return GetHLX(u"." + std::u16string(stem)); }

std::u16string DefinitionFolder(const std::u16string& programFolder, const std::u16string& hlxfolder) {
    return hlxfolder.empty() ? programFolder + u"/hlx" : hlxfolder;
}

DefinitionPresent DefinitionsInFolder(std::u16string folder) {
    return [folder = std::move(folder)](const std::u16string& name) {
        try {
            struct stat status {};
            std::string path = fileerrors::FileSystemPath(folder + u"/" + name, errsource::kProgram);
            return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
        } catch (const ComError&) {
            return false;  // a name the file system cannot hold
        }
    };
}

}  // namespace engine
