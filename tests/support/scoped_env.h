// Sets (or unsets) environment variables for the lifetime of a test and puts back what was there.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) apply(it->first, it->second);
    }

    // nullopt unsets the variable.
    ScopedEnv& set(const std::string& name, std::optional<std::string> value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
        return *this;
    }

    // The code pages and locale that most tests want: ANSI 1252, OEM 850.
    static void westernPair(ScopedEnv& env) { env.set("TAVREL_ACP", "1252").set("TAVREL_OEMCP", "850"); }

private:
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace testsupport
