#include "Vorlan.h"
#include "VorlanAction.h"
#include "core/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <iomanip>
#include <sstream>

TEST(LogTest, EntriesAreTimeStampedPiecesTruncatingOnceThenAppending) {
    LogCapture capture;
    std::ofstream(capture.path("log.txt")) << "left over from an earlier run";
    { Log() << "count: " << int32_t{-3} << " " << uint32_t{4000000000u}; }
    { Log() << "flag " << true << false << " " << 0.25 << " " << uint16_t{65535}; }
    EXPECT_EQ(capture.read(), LogCapture::entry("count: -3 4000000000") + LogCapture::entry("flag 10 0.25 65535"));
}

TEST(LogTest, AnEntryMayLeaveOutItsTimeOrBeDisabled) {
    LogCapture capture;
    logState().clock = [] { return Platform::LocalTime{987, 1, 2, 3, 4, 5, 6}; };
    { Log(capture.path("zero.txt"), true, true) << "x"; }
    { Log(capture.path("zero.txt"), true, false) << "no time"; }
    { Log(capture.path("zero.txt"), false, true) << "disabled"; }
    EXPECT_EQ(capture.read("zero.txt"), "\n0987.01.02 03:04:05:006 \nx\nno time");
}

TEST(LogTest, SetLogPathBackAndForthTruncatesEachFileOnlyOnce) {
    LogCapture capture;
    for (const char* file : {"log.txt", "other.txt", "log.txt", "other.txt"}) {
        Vorlan::setLogPath(capture.path(file));
        Log() << file;
    }
    EXPECT_EQ(capture.read("log.txt"), LogCapture::entry("log.txt") + LogCapture::entry("log.txt"));
    EXPECT_EQ(capture.read("other.txt"), LogCapture::entry("other.txt") + LogCapture::entry("other.txt"));
}

TEST(LogTest, SwitchesOffStillEmptyTheFile) {
    LogCapture capture;
    std::ofstream(capture.path("log.txt")) << "old";
    Vorlan::enableLogging(false, false, false);
    { Log() << "hidden"; }
    EXPECT_TRUE(std::ifstream(capture.path("log.txt")).good());
    EXPECT_EQ(capture.read(), "");
    Vorlan::enableLogging(false, true, false);
    { Log() << "shown"; }
    EXPECT_EQ(capture.read(), LogCapture::entry("shown"));
}

TEST(LogTest, AMissingFolderLosesEntriesUntilItExists) {
    LogCapture capture;
    Vorlan::setLogPath(capture.path("missing/log.txt"));
    EXPECT_NO_THROW({ Log() << "lost" << int32_t{1}; Log() << "lost again"; });
    std::filesystem::create_directory(capture.path("missing"));
    { Log() << "found"; }
    EXPECT_EQ(capture.read("missing/log.txt"), LogCapture::entry("found"));
}

TEST(LogTest, ActionLineFollowsTheSwitchOfTheDeviceKind) {
    const VorlanAction actions[] = {
        {11, 100, 0},                    // keyboard and head tracker
        {12, -5, false, 100, 1024},      // mouse
        {13, 70, true, 100, 4096 + 1024},// joystick 1
        {0, 100, 2048},                  // neither: logged when any switch is on
    };
    const std::string k = LogCapture::entry("Action added: 11"), m = LogCapture::entry("Action added: 12 value: -5"),
                      j = LogCapture::entry("Action added: 13 value: 70"), u = LogCapture::entry("Action added: 0");
    const struct {
        bool keyboard, mouse, joysticks;
        std::string expected;
    } cases[] = {{true, true, true, k + m + j + u}, {false, true, false, m + u}, {true, false, false, k + u},
                 {false, false, true, j + u}, {false, false, false, ""}};
    for (const auto& c : cases) {
        LogCapture capture;
        Vorlan::enableLogging(c.keyboard, c.mouse, c.joysticks);
        for (const VorlanAction& a : actions)
            logAction(a);
        EXPECT_EQ(capture.read(), c.expected) << c.keyboard << c.mouse << c.joysticks;
    }
}

TEST(LogTest, ASuppressedActionLineAsTheFirstEntryStillEmptiesTheFile) {
    LogCapture capture;
    std::ofstream(capture.path("log.txt")) << "left over from an earlier run";
    Vorlan::enableLogging(false, true, true);
    logAction(VorlanAction(11, 100, 0));
    EXPECT_EQ(capture.read(), "");
}

// An entry is composed apart from its stream: numbers and time fields must
// come out as the stream itself formats them, odd values included.
TEST(LogTest, PiecesAndTimeFieldsReadAsTheStreamWritesThem) {
    LogCapture capture;
    std::ostringstream expected;
    expected << std::setfill('0');
    const Platform::LocalTime times[] = {{12345, -1, 100, 0, 59, -10, 1000}, {-5, 0, 0, 0, 0, 0, -7}};
    const double values[] = {1e-7, 123456789.0, -0.0, 1.0 / 3, 1e300, HUGE_VAL, -HUGE_VAL, NAN};
    for (const Platform::LocalTime& t : times) {
        static Platform::LocalTime now;
        now = t;
        logState().clock = [] { return now; };
        Log log(capture.path("odd.txt"), true, true);
        expected << '\n' << std::setw(4) << t.year << '.' << std::setw(2) << t.month << '.' << std::setw(2) << t.day
                 << ' ' << std::setw(2) << t.hour << ':' << std::setw(2) << t.minute << ':' << std::setw(2)
                 << t.second << ':' << std::setw(3) << t.millisecond << " \n";
        for (double v : values) {
            log << v << " " << INT32_MIN << " " << UINT32_MAX << ";";
            expected << v << " " << INT32_MIN << " " << UINT32_MAX << ";";
        }
    }
    EXPECT_EQ(capture.read("odd.txt"), expected.str());
}
