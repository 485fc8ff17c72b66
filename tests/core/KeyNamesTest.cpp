#include "core/KeyNames.h"

#include <gtest/gtest.h>

TEST(KeyNamesTest, NamedCodesGiveTheirNameOthersKeyUnknown) {
    EXPECT_STREQ(keyName(0x01), "KEY_ESCAPE");
    EXPECT_STREQ(keyName(0xED), "KEY_MEDIASELECT");
    EXPECT_STREQ(keyName(0x9C), "KEY_NUMPADENTER");
    for (uint32_t unknown : {0x00u, 0x54u, 0x55u, 0xEEu, 0x100u})
        EXPECT_STREQ(keyName(unknown), "KEY_UNKNOWN") << unknown;
}
