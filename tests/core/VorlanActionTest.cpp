#include "Vorlan.h"
#include "VorlanAction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(VorlanActionTest, ConstructorsFillEveryField) {
    const VorlanAction none;
    EXPECT_EQ(none.getAction(), 0);
    EXPECT_EQ(none.getValue(), 0);
    EXPECT_FALSE(none.hasValue());
    EXPECT_FALSE(none.isAbsolute());
    EXPECT_EQ(none.getTime(), 0u);
    EXPECT_EQ(none.getDevice(), 0xFFFFFFFFu);

    VorlanAction key(42, 1000, 0);
    EXPECT_EQ(key.getAction(), 42);
    EXPECT_FALSE(key.hasValue());
    EXPECT_FALSE(key.isAbsolute());
    EXPECT_EQ(key.getTime(), 1000u);
    EXPECT_EQ(key.getDevice(), 0u);
    key.setValue(5);  // a key action stays a key action
    EXPECT_EQ(key.getValue(), 5);
    EXPECT_FALSE(key.hasValue());

    VorlanAction axis(7, -300, true, 0xFFFFFFFEu, 5120);
    EXPECT_EQ(axis.getValue(), -300);
    EXPECT_TRUE(axis.hasValue());
    EXPECT_TRUE(axis.isAbsolute());
    EXPECT_EQ(axis.getTime(), 0xFFFFFFFEu);
    EXPECT_EQ(axis.getDevice(), 5120u);
    axis.setAction(8);
    const VorlanAction copy = axis;
    EXPECT_EQ(copy.getAction(), 8);
    EXPECT_EQ(copy.getValue(), -300);
    EXPECT_TRUE(copy.hasValue());
}

TEST(VorlanActionTest, OrderIsByUnsignedTimeAlone) {
    const VorlanAction early(99, 5, true, 10, 4096);
    const VorlanAction sameTime(1, 10, 0);
    const VorlanAction late(1, 0x80000000u, 0);  // would be negative if signed
    EXPECT_FALSE(early < sameTime);
    EXPECT_FALSE(sameTime < early);
    EXPECT_TRUE(early < late);
    EXPECT_FALSE(late < early);

    std::vector<VorlanAction> actions{late, early, sameTime};
    std::stable_sort(actions.begin(), actions.end());
    EXPECT_EQ(actions[0].getAction(), 99);  // equal times keep their order
    EXPECT_EQ(actions[1].getAction(), 1);
    EXPECT_EQ(actions[2].getTime(), 0x80000000u);
}

TEST(VorlanActionTest, AxisValueScaleEndsExactlyAtTheMaximum) {
    const int32_t max = Vorlan::getAxesValueMax();
    EXPECT_EQ(max, 0x3FFFFFFF);
    EXPECT_EQ(Vorlan::getNotAxesValue(), 0x7FFFFFFE);
    EXPECT_TRUE(Vorlan::isAxesValue(max));
    EXPECT_TRUE(Vorlan::isAxesValue(-max));
    EXPECT_TRUE(Vorlan::isAxesValue(0));
    EXPECT_FALSE(Vorlan::isAxesValue(max + 1));
    EXPECT_FALSE(Vorlan::isAxesValue(-max - 1));
    EXPECT_FALSE(Vorlan::isAxesValue(Vorlan::getNotAxesValue()));
    EXPECT_FALSE(Vorlan::isAxesValue(INT32_MIN));
}
