#include "engine/center_form.h"

#include <gtest/gtest.h>

using engine::CenterForm;
using engine::FormRect;

namespace {

FormRect Centred(const FormRect& reference, FormRect form) {
    CenterForm(reference, form);
    return form;
}

TEST(CenterFormTest, CentresOverTheReferenceAndKeepsTheSize) {
    FormRect form = Centred({1000, 2000, 9000, 6000}, {0, 0, 4275, 1305});
    EXPECT_DOUBLE_EQ(2000 + (6000 - 1305) / 2.0, form.top);  // 4347.5: the top keeps its fraction
    EXPECT_DOUBLE_EQ(3362, form.left);                       // 1000 + 2362.5, half to even
    EXPECT_DOUBLE_EQ(4275, form.width);
    EXPECT_DOUBLE_EQ(1305, form.height);
}

TEST(CenterFormTest, LeftRoundsHalvesToEven) {
    EXPECT_DOUBLE_EQ(2, Centred({1, 0, 3, 100}, {0, 0, 0, 100}).left);  // 2.5 -> 2
    EXPECT_DOUBLE_EQ(4, Centred({2, 0, 3, 100}, {0, 0, 0, 100}).left);  // 3.5 -> 4
    EXPECT_DOUBLE_EQ(3, Centred({1, 0, 4.4, 100}, {0, 0, 0, 100}).left);  // 3.2 -> 3
}

TEST(CenterFormTest, ALargerFormAtTheOriginStaysAtTheOrigin) {
    FormRect form = Centred({0, 0, 1000, 800}, {500, 500, 3000, 2000});
    EXPECT_DOUBLE_EQ(0, form.top);
    EXPECT_DOUBLE_EQ(0, form.left);
}

TEST(CenterFormTest, SmallPositionsFallToZero) {
    // left 0.5 rounds to 0 and 1.4 to 1 (kept); top 0.5 is above 0 and kept.
    EXPECT_DOUBLE_EQ(0, Centred({0, 0, 101, 101}, {0, 0, 100, 100}).left);
    EXPECT_DOUBLE_EQ(0.5, Centred({0, 0, 101, 101}, {0, 0, 100, 100}).top);
    EXPECT_DOUBLE_EQ(1, Centred({0, 0, 102.8, 100}, {0, 0, 100, 100}).left);
    EXPECT_DOUBLE_EQ(0, Centred({0, -10, 100, 100}, {0, 0, 100, 100}).top);
}

}  // namespace
