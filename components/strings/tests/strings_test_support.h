// What the string suites share: short ways to make Variants and read results, and a check that
// a call raises a given error.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/arrays.h"
#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/safearray.h"
#include "tests/support/raised_error.h"
#include "tests/support/scoped_env.h"

namespace stringstest {

inline Variant Str(std::u16string_view text) { return Variant::fromString(text); }
inline Variant Long(LONG value) { return Variant::fromLong(value); }

// The text of a String result (fails the test for anything else).
inline std::u16string TextOf(const VARIANT& value) {
    EXPECT_EQ(value.vt, VT_BSTR);
    return value.vt == VT_BSTR ? std::u16string(BstrView(value.bstrVal)) : std::u16string();
}

// A one-dimensional array of the given kind, lower bound lower, filled from the Variants.
inline Variant ArrayOf(VARTYPE type, const std::vector<Variant>& items, LONG lower = 0) {
    SAFEARRAY* array = SafeArrayCreateVector(type, lower, static_cast<ULONG>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        LONG index = lower + static_cast<LONG>(i);
        Variant item = items[i];
        void* element = type == VT_VARIANT ? static_cast<void*>(item.ptr())
                        : type == VT_BSTR  ? static_cast<void*>(item.bstrVal)
                                           : static_cast<void*>(&item.llVal);
        EXPECT_EQ(S_OK, SafeArrayPutElement(array, &index, element));
    }
    return Variant::fromArray(type, array);
}

using automation::ByteArray;

// The elements of a one-dimensional array of Strings or of Variants holding Strings.
inline std::vector<std::u16string> TextsOf(const VARIANT& value) {
    std::vector<std::u16string> texts;
    EXPECT_TRUE(value.vt & VT_ARRAY);
    if (!(value.vt & VT_ARRAY) || !value.parray) return texts;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(value.parray, 1, &lower);
    SafeArrayGetUBound(value.parray, 1, &upper);
    EXPECT_EQ(lower, 0);
    for (LONG i = lower; i <= upper; ++i) {
        Variant element;
        if ((value.vt & ~VT_ARRAY) == VT_VARIANT) {
            SafeArrayGetElement(value.parray, &i, element.ptr());
        } else {
            SafeArrayGetElement(value.parray, &i, &element.bstrVal);
            element.vt = VT_BSTR;
        }
        texts.push_back(TextOf(element));
    }
    return texts;
}

// Whether the call raises the error with this number (and, when given, this source).
template <class Call>
::testing::AssertionResult Raises(Call&& call, LONG number, std::u16string_view source = {}) {
    try {
        call();
    } catch (const ComError& error) {
        if (error.number() != number)
            return ::testing::AssertionFailure() << "raised " << error.number() << ": " << error.what();
        if (!source.empty() && error.source() != source)
            return ::testing::AssertionFailure() << "raised it with another source: " << ::testing::PrintToString(error.source());
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "raised nothing";
}

// The Western pair of code pages, ANSI 1252 and OEM 850, for as long as it lives.
class WesternCodePages {
public:
    WesternCodePages() { testsupport::ScopedEnv::westernPair(env_); }

private:
    testsupport::ScopedEnv env_;
};

// ANSI 65001 (UTF-8) and OEM 437.
class Utf8CodePages {
public:
    Utf8CodePages() { env_.set("TAVREL_ACP", "65001").set("TAVREL_OEMCP", "437"); }

private:
    testsupport::ScopedEnv env_;
};

}  // namespace stringstest
