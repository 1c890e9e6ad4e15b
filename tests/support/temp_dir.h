// A temporary folder for one test, removed with everything in it when the test ends, and a
// registry store of the test's own inside it.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/scoped_env.h"

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Points TAVREL_REGISTRY at a fresh store inside a temporary folder for as long as it lives,
// and puts back the previous value afterwards.
class TempRegistry {
public:
    TempRegistry() { env_.set("TAVREL_REGISTRY", storePath().string()); }
    std::filesystem::path storePath() const { return dir_ / "registry.db"; }

private:
    TempDir dir_;
    ScopedEnv env_;
};

}  // namespace testsupport
