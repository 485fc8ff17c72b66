#include "Vorlan.h"
#include "VorlanAction.h"
#include "core/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

TEST(LogTest, EntriesAreLineFeedTimeLineAndPiecesWithoutSeparators) {
    LogCapture capture;
    { Log() << "Kb actions count: " << int32_t{-3} << " " << uint32_t{4000000000u}; }
    { Log() << "flag " << true << false << " ratio " << 0.25 << " vid " << uint16_t{65535}; }
    EXPECT_EQ(capture.read(), LogCapture::entry("Kb actions count: -3 4000000000") +
                                  LogCapture::entry("flag 10 ratio 0.25 vid 65535"));
}

TEST(LogTest, TimeLinePadsEveryFieldWithZeros) {
    LogCapture capture;
    logState().clock = [] {
        Platform::LocalTime t;
        t.year = 987;
        t.month = 1;
        t.day = 2;
        t.hour = 3;
        t.minute = 4;
        t.second = 5;
        t.millisecond = 6;
        return t;
    };
    { Log() << "x"; }
    EXPECT_EQ(capture.read(), "\n0987.01.02 03:04:05:006 \nx");
}

TEST(LogTest, FirstEntryOfAProcessTruncatesLaterEntriesAppend) {
    LogCapture capture;
    { std::ofstream(capture.path("log.txt")) << "left over from an earlier run"; }
    { Log() << "one"; }
    { Log() << "two"; }
    EXPECT_EQ(capture.read(), LogCapture::entry("one") + LogCapture::entry("two"));
}

TEST(LogTest, SetLogPathBackAndForthTruncatesEachFileOnceOnly) {
    LogCapture capture;
    { Log() << "a1"; }
    Vorlan::setLogPath(capture.path("other.txt"));
    { Log() << "b1"; }
    Vorlan::setLogPath(capture.path("log.txt"));
    { Log() << "a2"; }
    Vorlan::setLogPath(capture.path("other.txt"));
    { Log() << "b2"; }
    EXPECT_EQ(capture.read("log.txt"), LogCapture::entry("a1") + LogCapture::entry("a2"));
    EXPECT_EQ(capture.read("other.txt"), LogCapture::entry("b1") + LogCapture::entry("b2"));
}

TEST(LogTest, AllSwitchesOffStillCreatesTheFileButWritesNothing) {
    LogCapture capture;
    { std::ofstream(capture.path("log.txt")) << "old"; }
    Vorlan::enableLogging(false, false, false);
    { Log() << "hidden"; }
    EXPECT_TRUE(capture.exists());
    EXPECT_EQ(capture.read(), "");

    Vorlan::enableLogging(false, true, false);
    { Log() << "shown"; }
    EXPECT_EQ(capture.read(), LogCapture::entry("shown"));
}

TEST(LogTest, ExplicitEntryHonoursItsOwnFlags) {
    LogCapture capture;
    { Log(capture.path("log.txt"), true, false) << "no time"; }
    { Log(capture.path("log.txt"), false, true) << "disabled"; }
    EXPECT_EQ(capture.read(), "\nno time");
}

TEST(LogTest, UnopenableFileIsIgnoredQuietly) {
    LogCapture capture;
    Vorlan::setLogPath(capture.path("missing-folder/log.txt"));
    EXPECT_NO_THROW({ Log() << "lost" << int32_t{1}; });
    EXPECT_NO_THROW({ Log() << "lost again"; });
}

TEST(LogTest, ActionLineFollowsTheSwitchOfTheDeviceKind) {
    struct Case {
        bool keyboard, mouse, joysticks;
        std::string expected;
    };
    const VorlanAction keyboard(11, 100, 0);
    const VorlanAction mouse(12, -5, false, 100, 1024);
    const VorlanAction joystick(13, 70, true, 100, 4096 + 1024);
    const VorlanAction unknown(0, 100, 2048);  // numbered 0: logged all the same
    const std::string k = LogCapture::entry("Action added: 11");
    const std::string m = LogCapture::entry("Action added: 12 value: -5");
    const std::string j = LogCapture::entry("Action added: 13 value: 70");
    const std::string u = LogCapture::entry("Action added: 0");
    const Case cases[] = {
        {true, true, true, k + m + j + u},
        {false, true, false, m + u},
        {true, false, false, k + u},
        {false, false, true, j + u},
        {false, false, false, ""},
    };
    for (const Case& c : cases) {
        LogCapture capture;
        Vorlan::enableLogging(c.keyboard, c.mouse, c.joysticks);
        for (const VorlanAction& a : {keyboard, mouse, joystick, unknown})
            logAction(a);
        EXPECT_EQ(capture.read(), c.expected) << c.keyboard << c.mouse << c.joysticks;
    }
}
