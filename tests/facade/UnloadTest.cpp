#include "Vorlan.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/LogCapture.h"
#include "support/TestPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

void* const window = reinterpret_cast<void*>(0x4321);

// The process ends, and so the module unloads, while the library is initialised
// with a head tracker on the fake client library: its release still reaches a
// live client. What the child leaves behind is never destroyed.
TEST(UnloadTest, UnloadingWithoutUninitializeWhileAHeadTrackerExists) {
    LogCapture log;
    WorkFolder folder(log);
    EXPECT_EXIT(
        {
            setenv("VORLAN_NPCLIENT_PATH", FAKE_NPCLIENT_FOLDER "/full", 1);
            DirectInput::FakeDirectInput fake;
            FakeDevices::keyboard(fake, 1);
            FacadePlatform platform(TestPlatform::maker(fake));
            getGlobalInput()->initialize(window);
            std::vector<std::string> names;
            getGlobalInput()->getDevices(names);
            std::exit(std::count(names.begin(), names.end(), "TrackIR") == 1 ? 0 : 2);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
