// lumivar-dictionary-keys-bench: a script's use of "Tavrel.Dictionary" with many distinct keys, late-bound
// as a script calls it: Add n keys, then read each by key and each by position. It prints the
// time per size; linear total time shows as a time per key that stays flat as n doubles.
#include <chrono>
#include <cstdio>
#include <string>

#include "components/dictionary/dictionary_object.h"
#include "platform/automation/client.h"

namespace {

Variant Key(const char16_t* prefix, LONG i) {
    const std::string digits = std::to_string(i);
    return Variant::fromString(prefix + std::u16string(digits.begin(), digits.end()));
}

double SecondsFor(LONG n) {
    ComPtr<IDispatch> d;
    mossel::Dictionary::CreateInstance(nullptr, IID_IDispatch, d.putVoid());
    const auto start = std::chrono::steady_clock::now();
    for (LONG i = 0; i < n; ++i) {
        Variant args[] = {Key(u"Key", i), Variant::fromLong(i)};
        automation::Call(d.get(), u"Add", automation::Args(args));
    }
    for (LONG i = 0; i < n; ++i) {
        Variant key[] = {Key(u"KEY", i)};
        if (automation::Get(d.get(), u"Item", automation::Args(key)).lVal != i) std::puts("wrong item");
        Variant position[] = {Variant::fromLong(i + 1)};
        automation::Get(d.get(), u"Item", automation::Args(position));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    std::puts("keys      seconds   microseconds per key");
    for (LONG n : {25000, 50000, 100000, 200000}) {
        const double seconds = SecondsFor(n);
        std::printf("%-9d %-9.3f %.2f\n", n, seconds, seconds * 1e6 / n);
    }
}
