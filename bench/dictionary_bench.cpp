// lumivar-dictionary-bench: how long "Scripting.Dictionary" takes to add N integer keys and to
// look each of them up again, and the same with string keys (not a test).
//
//   lumivar-dictionary-bench [N]     (default 1000000)
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/automation/ascii.h"
#include "platform/scripting/scripting_dictionary.h"

namespace {

double SecondsFor(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const char* kind, long count, const std::function<Variant(long)>& keyOf) {
    ComPtr<scripting::ScriptingDictionary> dictionary = scripting::ScriptingDictionary::create();
    Variant value = Variant::fromLong(1);
    double add = SecondsFor([&] {
        for (long i = 0; i < count; ++i) dictionary->add(keyOf(i), value);
    });
    long found = 0;
    double lookUp = SecondsFor([&] {
        for (long i = 0; i < count; ++i) found += dictionary->exists(keyOf(i));
    });
    std::printf("%-8s keys: %ld added in %.2f s, %ld of them found again in %.2f s\n", kind, count, add, found, lookUp);
}

}  // namespace

int main(int argc, char** argv) {
    long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    Measure("integer", count, [](long i) { return Variant::fromLong(LONG(i)); });
    Measure("string", count, [](long i) { return Variant::fromString(u"key" + automation::DecimalDigits(uint64_t(i))); });
    return 0;
}
