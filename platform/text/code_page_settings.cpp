// The ANSI and OEM code pages of this process, from the environment on every call, and the
// table of available code pages.
#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "platform/text/codepage.h"
#include "platform/text/codepage_impl.h"

namespace text::detail {
namespace {

constexpr UINT kDefaultOemCodePage = 437;
constexpr UINT kMacCodePage = 10000;

std::unique_ptr<CodePage> MakeCodePage(UINT number) {
    switch (number) {
        case 1252: return MakeSingleByteCodePage(kCp1252);
        case 850: return MakeSingleByteCodePage(kCp850);
        case 437: return MakeSingleByteCodePage(kCp437);
        case CP_UTF8: return MakeUtf8CodePage();
        case CP_ACP: case CP_OEMCP: case CP_MACCP: case CP_THREAD_ACP: return nullptr;
        default: return MakeIcuCodePage(number);
    }
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Says once per value that a setting names no available code page.
void WarnUnavailable(const char* variable, const std::string& value) {
    static std::mutex mutex;
    static std::set<std::string> warned;
    std::lock_guard lock(mutex);
    if (warned.insert(std::string(variable) + "=" + value).second) {
        std::fprintf(stderr, "tavrel: %s=\"%s\" is not an available code page; it is ignored.\n", variable,
                     value.c_str());
    }
}

// The code page a variable names, if it is set to the number of an available one.
std::optional<UINT> CodePageFromVariable(const char* variable) {
    std::string value = EnvironmentValue(variable);
    if (value.empty()) return std::nullopt;
    bool digits = value.size() <= 5;
    for (char c : value) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
        UINT number = static_cast<UINT>(std::stoul(value));
        if (FindCodePage(number)) return number;
    }
    WarnUnavailable(variable, value);
    return std::nullopt;
}

// The part of a locale's name after the dot, without a modifier ("UTF-8" in "de_DE.UTF-8@euro").
std::string NamedCodeset(const std::string& localeName) {
    size_t dot = localeName.find('.');
    if (dot == std::string::npos) return "";
    return localeName.substr(dot + 1, localeName.find('@', dot) - dot - 1);
}

// The codeset of a locale: the C library's when the locale is installed, else the one its name
// gives.
std::string CodesetOf(const std::string& localeName) {
    if (locale_t locale = newlocale(LC_CTYPE_MASK, localeName.c_str(), static_cast<locale_t>(0))) {
        std::string codeset = nl_langinfo_l(CODESET, locale);
        freelocale(locale);
        return codeset;
    }
    return NamedCodeset(localeName);
}

// Upper case, without "-" and "_": "utf-8" and "UTF8" both become "UTF8".
std::string NormalizedCodeset(const std::string& codeset) {
    std::string result;
    for (char c : codeset) {
        if (c != '-' && c != '_') result.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return result;
}

// The code page of a codeset; 65001 for UTF-8, the C library's ASCII and any codeset not known
// here.
UINT CodePageOfCodeset(const std::string& codeset) {
    static const std::map<std::string, UINT> codePages = {
        {"UTF8", CP_UTF8},        {"ISO88591", 28591},  {"ISO88592", 28592},  {"ISO88593", 28593},
        {"ISO88594", 28594},      {"ISO88595", 28595},  {"ISO88596", 28596},  {"ISO88597", 28597},
        {"ISO88598", 28598},      {"ISO88599", 28599},  {"ISO885913", 28603}, {"ISO885915", 28605},
        {"CP1250", 1250},         {"CP1251", 1251},     {"CP1252", 1252},     {"CP1253", 1253},
        {"CP1254", 1254},         {"CP1255", 1255},     {"CP1256", 1256},     {"CP1257", 1257},
        {"CP1258", 1258},         {"KOI8R", 20866},     {"KOI8U", 21866},     {"EUCJP", 20932},
        {"SHIFTJIS", 932},        {"SJIS", 932},        {"GBK", 936},         {"GB2312", 936},
        {"GB18030", 54936},       {"EUCKR", 51949},     {"BIG5", 950},        {"BIG5HKSCS", 950},
        {"TIS620", 874},          {"CP866", 866},       {"IBM866", 866},      {"CP437", 437},
        {"CP850", 850},
    };
    auto it = codePages.find(NormalizedCodeset(codeset));
    if (it == codePages.end() || !FindCodePage(it->second)) return CP_UTF8;
    return it->second;
}

// Found once per locale name: the C library reads a locale's files every time it is asked.
UINT LocaleCodePage() {
    std::string name = CharacterLocaleName();
    if (name == "C" || name == "POSIX") return CP_UTF8;
    static std::mutex& mutex = *new std::mutex;
    static auto& codePages = *new std::map<std::string, UINT>;
    std::lock_guard lock(mutex);
    auto [known, added] = codePages.try_emplace(name, 0);
    // A name that says UTF-8 is taken at its word: loading the locale costs a few hundred
    // microseconds at every start.
    if (added)
        known->second = NormalizedCodeset(NamedCodeset(name)) == "UTF8" ? CP_UTF8 : CodePageOfCodeset(CodesetOf(name));
    return known->second;
}

UINT AnsiCodePage() {
    if (auto number = CodePageFromVariable("TAVREL_ACP")) return *number;
    return LocaleCodePage();
}

UINT OemCodePage() { return CodePageFromVariable("TAVREL_OEMCP").value_or(kDefaultOemCodePage); }

}  // namespace

std::string CharacterLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        std::string value = EnvironmentValue(variable);
        if (!value.empty()) return value;
    }
    return "C";
}

const CodePage* FindCodePage(UINT number) {
    // Never destroyed, so that conversions stay usable while the process exits.
    static std::mutex& mutex = *new std::mutex;
    static auto& codePages = *new std::map<UINT, std::unique_ptr<CodePage>>;  // null: not available
    std::lock_guard lock(mutex);
    auto it = codePages.find(number);
    if (it == codePages.end()) it = codePages.emplace(number, MakeCodePage(number)).first;
    return it->second.get();
}

UINT ResolveCodePage(UINT codePage) {
    switch (codePage) {
        case CP_ACP: case CP_THREAD_ACP: return GetACP();
        case CP_OEMCP: return GetOEMCP();
        case CP_MACCP: return kMacCodePage;
        default: return codePage;
    }
}

}  // namespace text::detail

UINT GetACP() { return text::detail::AnsiCodePage(); }

UINT GetOEMCP() { return text::detail::OemCodePage(); }

BOOL IsValidCodePage(UINT CodePage) { return text::detail::FindCodePage(CodePage) != nullptr; }
