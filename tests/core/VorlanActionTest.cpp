#include "Vorlan.h"
#include "VorlanAction.h"

#include <gtest/gtest.h>

namespace {

// The fields as "action value time device", then " v" for a value and " a" for absolute.
std::string fields(const VorlanAction& a) {
    return std::to_string(a.getAction()) + " " + std::to_string(a.getValue()) + " " + std::to_string(a.getTime()) +
           " " + std::to_string(a.getDevice()) + (a.hasValue() ? " v" : "") + (a.isAbsolute() ? " a" : "");
}

} // namespace

TEST(VorlanActionTest, ConstructorsFillEveryFieldAndSetValueKeepsTheKind) {
    EXPECT_EQ(fields(VorlanAction()), "0 0 0 4294967295");
    VorlanAction key(42, 1000, 0);
    key.setValue(5);
    EXPECT_EQ(fields(key), "42 5 1000 0");
    VorlanAction axis(7, -300, true, 0xFFFFFFFEu, 5120);
    axis.setAction(8);
    const VorlanAction copy = axis;
    EXPECT_EQ(fields(copy), "8 -300 4294967294 5120 v a");
}

TEST(VorlanActionTest, OrderIsByUnsignedTimeAlone) {
    const VorlanAction early(99, 5, true, 10, 4096), sameTime(1, 10, 0), late(1, 0x80000000u, 0);
    EXPECT_FALSE(early < sameTime);
    EXPECT_FALSE(sameTime < early);
    EXPECT_TRUE(early < late);
    EXPECT_FALSE(late < early);
}

TEST(VorlanActionTest, AxisValueScaleEndsExactlyAtTheMaximum) {
    EXPECT_EQ(Vorlan::getAxesValueMax(), 0x3FFFFFFF);
    EXPECT_EQ(Vorlan::getNotAxesValue(), 0x7FFFFFFE);
    for (int32_t value : {0x3FFFFFFF, -0x3FFFFFFF, 0})
        EXPECT_TRUE(Vorlan::isAxesValue(value)) << value;
    for (int32_t value : {0x40000000, -0x40000000, 0x7FFFFFFE, INT32_MIN})
        EXPECT_FALSE(Vorlan::isAxesValue(value)) << value;
}
