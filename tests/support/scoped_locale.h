// Sets the whole C locale for as long as it lives and puts back the one that was set before.
#pragma once

#include <clocale>
#include <string>

namespace testsupport {

class ScopedLocale {
public:
    ScopedLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {}
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    ~ScopedLocale() { std::setlocale(LC_ALL, saved_.c_str()); }

    // False when the system lacks the locale.
    bool use(const char* name) { return std::setlocale(LC_ALL, name) != nullptr; }

private:
    std::string saved_;
};

}  // namespace testsupport
