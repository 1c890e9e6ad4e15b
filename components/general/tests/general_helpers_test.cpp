#include "components/general/general_helpers.h"

#include <gtest/gtest.h>

#include "platform/automation/client.h"
#include "platform/automation/error.h"
#include "platform/automation/safearray.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/raised_error.h"
#include "tests/support/temp_dir.h"

using namespace modGeneral;

TEST(CreateObjectEx, UnknownProgIdShowsTheBoxThenRaises429) {
    testsupport::TempRegistry registry;
    ui::ScopedScriptedServices scripted;
    const ComError e = testsupport::ErrorOf([] { CreateObjectEx(u"No.Such.Class"); });
    EXPECT_EQ(e.number(), 429);
    EXPECT_EQ(e.source(), u"Tavrel");
    EXPECT_EQ(e.description(), u"CreateObject of [No.Such.Class] failed.");
    ASSERT_EQ(scripted->boxes.size(), 1u);
    EXPECT_EQ(scripted->boxes[0].text, u"Message:\r\nCreateObject of [No.Such.Class] failed.");
    EXPECT_EQ(scripted->boxes[0].style, uint32_t(ui::vbOKOnly | ui::vbExclamation));
    EXPECT_EQ(scripted->boxes[0].title, u"");
}

TEST(CreateObjectEx, NewDictionaryIsTheBuiltInKeyedCollection) {
    ui::ScopedScriptedServices scripted;
    ComPtr<IDispatch> d = NewDictionary();
    ASSERT_TRUE(d);
    EXPECT_EQ(automation::Get(d.get(), u"Count").lVal, 0);
    EXPECT_TRUE(scripted->boxes.empty());
}

TEST(ForgivingConversions, ToWholeNumbers) {
    EXPECT_EQ(VarToLng(Variant::fromString(u"2.5")), 2);
    EXPECT_EQ(VarToLng(Variant::fromString(u"3.5")), 4);
    EXPECT_EQ(VarToLng(Variant::fromString(u"abc")), 0);
    EXPECT_EQ(VarToLng(Variant()), 0);
    EXPECT_EQ(VarToLng(Variant::fromBool(true)), -1);
    EXPECT_EQ(VarToLng(Variant::fromDouble(3e10)), 0);
    EXPECT_EQ(VarToLng(Variant::null()), 0);
}

TEST(ForgivingConversions, ToFlags) {
    EXPECT_TRUE(VarToBool(Variant::fromString(u"TRUE")));
    EXPECT_TRUE(VarToBool(Variant::fromString(u"true")));
    EXPECT_FALSE(VarToBool(Variant::fromString(u"False")));
    EXPECT_FALSE(VarToBool(Variant::fromString(u"0")));
    EXPECT_TRUE(VarToBool(Variant::fromString(u"1")));
    EXPECT_FALSE(VarToBool(Variant::fromString(u"yes")));
    EXPECT_FALSE(VarToBool(Variant::fromString(u"")));
    EXPECT_FALSE(VarToBool(Variant()));
    EXPECT_TRUE(VarToBool(Variant::fromDouble(0.5)));
}

TEST(ForgivingConversions, ToText) {
    EXPECT_EQ(VarToStr(Variant::null()), u"");
    EXPECT_EQ(VarToStr(Variant()), u"");
    EXPECT_EQ(VarToStr(Variant::fromLong(-12)), u"-12");
    EXPECT_EQ(VarToStr(Variant::fromBool(true)), u"True");
    EXPECT_EQ(VarToStr(Variant::fromArray(VT_VARIANT, SafeArrayCreateVector(VT_VARIANT, 0, 2))), u"");
}
