// The parameter scanner: each case of the grammar as name=value pairs in order.
#include <gtest/gtest.h>

#include "platform/text/parameter_scanner.h"

namespace {

std::u16string Scanned(std::u16string_view text) {
    std::u16string joined;
    for (const auto& p : text::ScanParameters(text)) joined += u"[" + p.name + u"=" + p.value + u"]";
    return joined;
}

TEST(ParameterScanner, Grammar) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"", u""},
        {u"/in=a.txt /out=\"my file.htm\" -q", u"[in=a.txt][out=my file.htm][q=]"},
        {u"a, b", u"[a=][=][b=]"},
        {u"a  b", u"[a=][=][b=]"},
        {u"/x=1 /X=2", u"[x=1][X=2]"},
        {u"path=c:\\a=b", u"[path=c:\\a=b]"},
        {u"\"my name\"=\" v \"", u"[my name=v]"},
        {u"a=\"say \"\"hi\"\"\"", u"[a=say \"hi\"]"},
        {u"a =b", u"[a=][=b]"},
        {u"x=", u"[x=]"},
        {u"=5", u"[=5]"},
        {u"\"a\"\"b\"=x", u"[a\"b=x]"},
        {u"\"open", u"[open=]"},
        {u"a=\"q\"b", u"[a=q][b=]"},
        {u"a\"b=c\"d", u"[a\"b=c\"d]"},
        {u"--x", u"[-x=]"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(expected, Scanned(text)) << std::string(text.begin(), text.end());
}

}  // namespace
