#include "Vorlan.h"
#include "VorlanAction.h"

#include <gtest/gtest.h>

TEST(VorlanActionTest, ConstructorsFillEveryFieldAndSetValueKeepsTheKind) {
    const VorlanAction none;
    EXPECT_EQ(none.getDevice(), 0xFFFFFFFFu);
    EXPECT_FALSE(none.hasValue() || none.isAbsolute() || none.getAction() || none.getValue() || none.getTime());

    VorlanAction key(42, 1000, 0);
    key.setValue(5);
    EXPECT_EQ(key.getValue(), 5);
    EXPECT_FALSE(key.hasValue() || key.isAbsolute());
    EXPECT_EQ(key.getTime() + key.getDevice(), 1000u);

    VorlanAction axis(7, -300, true, 0xFFFFFFFEu, 5120);
    axis.setAction(8);
    const VorlanAction copy = axis;
    EXPECT_TRUE(copy.hasValue() && copy.isAbsolute());
    EXPECT_EQ(copy.getAction() + copy.getValue(), 8 - 300);
    EXPECT_EQ(copy.getTime(), 0xFFFFFFFEu);
    EXPECT_EQ(copy.getDevice(), 5120u);
}

TEST(VorlanActionTest, OrderIsByUnsignedTimeAlone) {
    const VorlanAction early(99, 5, true, 10, 4096), sameTime(1, 10, 0), late(1, 0x80000000u, 0);
    EXPECT_FALSE(early < sameTime || sameTime < early);
    EXPECT_TRUE(early < late);
    EXPECT_FALSE(late < early);
}

TEST(VorlanActionTest, AxisValueScaleEndsExactlyAtTheMaximum) {
    const int32_t max = Vorlan::getAxesValueMax();
    EXPECT_EQ(max, 0x3FFFFFFF);
    EXPECT_EQ(Vorlan::getNotAxesValue(), 0x7FFFFFFE);
    EXPECT_TRUE(Vorlan::isAxesValue(max) && Vorlan::isAxesValue(-max) && Vorlan::isAxesValue(0));
    EXPECT_FALSE(Vorlan::isAxesValue(max + 1) || Vorlan::isAxesValue(-max - 1) ||
                 Vorlan::isAxesValue(Vorlan::getNotAxesValue()) || Vorlan::isAxesValue(INT32_MIN));
}
