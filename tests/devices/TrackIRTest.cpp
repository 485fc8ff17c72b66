#include "devices/TrackIR.h"
#include "fixtures/FakeNPClient.h"
#include "platform/npclient/NativeClient.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <tuple>

namespace {

using Journal = std::vector<std::string>;

void* const window = reinterpret_cast<void*>(0x1234);

const Journal constructionCalls = {
    "NP_RegisterWindowHandle(4660)", "NP_QueryVersion(&version)", "NP_RequestData(119)",
    "NP_RegisterProgramProfileID(1)", "NP_StopCursor()", "NP_StartDataTransmission()"};
const Journal destructionCalls = {"NP_StopDataTransmission()", "NP_UnregisterWindowHandle()"};

Journal operator+(Journal a, const Journal& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

uint32_t fixedTicks() { return 4242; }

// Points the client port at one variant of the fake client library (or at any
// folder) and gives the test that variant's script, cleared. The platform's
// head-tracker client is the native one.
class TrackIRTest : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("VORLAN_NPCLIENT_PATH");
        std::filesystem::remove_all(scratch);
    }

    FakeNPClientScript& use(const std::string& variant) {
        const std::string folder = std::string(FAKE_NPCLIENT_FOLDER) + "/" + variant;
        setenv("VORLAN_NPCLIENT_PATH", folder.c_str(), 1);
        // The port loads the same file, so this handle reaches its state.
        void* library = dlopen((folder + "/NPClient.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw std::runtime_error(dlerror());
        auto script = reinterpret_cast<FakeNPClientScriptFunction>(dlsym(library, "FakeNPClient_script"));
        *script() = FakeNPClientScript{};
        return *script();
    }

    // A folder that holds an NPClient.so with the given bytes (none: no file).
    void useFolder(const char* libraryBytes) {
        std::filesystem::create_directories(scratch);
        if (libraryBytes)
            std::ofstream(scratch + "/NPClient.so") << libraryBytes;
        setenv("VORLAN_NPCLIENT_PATH", scratch.c_str(), 1);
    }

    const std::string scratch = "/tmp/vorlan-trackir-" + std::to_string(getpid());
    DirectInput::FakeDirectInput fake;
    const std::unique_ptr<Platform::Context> platform = TestPlatform::make(fake);
};

std::string constructionError(Platform::Context& platform) {
    try {
        TrackIR tracker(platform, window, "TrackIR");
    } catch (const TrackIR::Exception& e) {
        return e.what();
    }
    return "";
}

TEST_F(TrackIRTest, ConstructionFailsWithTheMessageOfTheFirstFailingStep) {
    const std::string initializing = "TrackIR: Error initializing NPClient interface!";
    const std::string registering = "TrackIR: Error registering window handle!";
    const std::string querying = "TrackIR : Error querying NaturalPoint software version!";

    EXPECT_EQ(constructionError(*platform), "TrackIR dll location key is not presented!");

    useFolder(nullptr);
    EXPECT_EQ(constructionError(*platform), initializing) << "no library in the folder";
    useFolder("not a shared object");
    EXPECT_EQ(constructionError(*platform), initializing) << "unloadable library";
    setenv("VORLAN_NPCLIENT_PATH", "", 1);
    EXPECT_EQ(constructionError(*platform), initializing) << "empty folder: NPClient.so on the search path";

    const struct {
        std::string variant;
        std::string failing;
        std::string message;
        Journal calls;
    } cases[] = {
        {"WITHOUT_REGISTER_WINDOW_HANDLE", "", registering, {}},
        {"full", "NP_RegisterWindowHandle", registering, {"NP_RegisterWindowHandle(4660)"}},
        // A registered window is unregistered again.
        {"WITHOUT_QUERY_VERSION", "", querying, {"NP_RegisterWindowHandle(4660)", "NP_UnregisterWindowHandle()"}},
        {"full", "NP_QueryVersion", querying,
         {"NP_RegisterWindowHandle(4660)", "NP_QueryVersion(&version)", "NP_UnregisterWindowHandle()"}},
        // Later steps' results are ignored.
        {"full", "NP_RequestData", "", constructionCalls},
        {"full", "NP_RegisterProgramProfileID", "", constructionCalls},
        {"full", "NP_StopCursor", "", constructionCalls},
        {"full", "NP_StartDataTransmission", "", constructionCalls + destructionCalls},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variant + " failing " + c.failing);
        FakeNPClientScript& script = use(c.variant);
        script.results[c.failing] = 7;
        EXPECT_EQ(constructionError(*platform), c.message);
        // A successful construction is followed by its destruction.
        EXPECT_EQ(script.journal, c.message.empty() ? constructionCalls + destructionCalls : c.calls);
    }
}

// The lookup fails in the same way on Windows when the registry value does not fit.
TEST_F(TrackIRTest, AnUnreadableLocationStopsBeforeLoading) {
    struct UnreadableLocation : NPClient::Client {
        NPClient::Location locate(std::string&) override { return NPClient::Location::ValueUnreadable; }
        NPClient::Result load(const std::string&) override { return ++calls; }
        NPClient::Result registerWindowHandle(void*) override { return ++calls; }
        NPClient::Result unregisterWindowHandle() override { return ++calls; }
        NPClient::Result registerProgramProfileID(uint32_t) override { return ++calls; }
        NPClient::Result queryVersion(uint16_t&) override { return ++calls; }
        NPClient::Result requestData(uint16_t) override { return ++calls; }
        NPClient::Result getData(NPClient::DataFrame&) override { return ++calls; }
        NPClient::Result startCursor() override { return ++calls; }
        NPClient::Result stopCursor() override { return ++calls; }
        NPClient::Result reCenter() override { return ++calls; }
        NPClient::Result startDataTransmission() override { return ++calls; }
        NPClient::Result stopDataTransmission() override { return ++calls; }
        int calls = 0;
    } unreadable;
    EXPECT_EQ(constructionError(*TestPlatform::make(fake, &unreadable)), "Error reading TrackIR dll location key!");
    EXPECT_EQ(unreadable.calls, 0);
}

size_t eventsOfOneCollect(TrackIR& tracker) {
    DeviceEventList list;
    tracker.collect(list);
    return list.size();
}

TEST_F(TrackIRTest, ReportsItsNameAndSixAxesAndOnlyNewValidFramesGiveEvents) {
    FakeNPClientScript& script = use("full");
    TrackIR tracker(*platform, window, "TrackIR");
    EXPECT_EQ(tracker.getName(), "TrackIR");
    std::vector<int> keys = {1}, axes = {2};
    tracker.getKeysAxes(keys, axes);
    EXPECT_EQ(keys, std::vector<int>{1});
    EXPECT_EQ(axes, (std::vector<int>{2, 3073, 3074, 3075, 3076, 3077, 3078}));
    const struct {
        uint16_t signature;
        uint16_t status;
        int result;
        size_t events;
    } frames[] = {
        {0, 0, 0, 0},  // the first signature equals the initial lastFrame
        {5, 0, 0, 6}, {5, 0, 0, 0},
        {6, 2, 0, 0}, {6, 0, 0, 6},  // an invalid frame left lastFrame at 5
        {7, 0, 3, 0}, {7, 0, 0, 6},  // so did a failed call
    };
    for (const auto& f : frames) {
        script.frame.frameSignature = f.signature;
        script.frame.status = f.status;
        script.results["NP_GetData"] = f.result;
        EXPECT_EQ(eventsOfOneCollect(tracker), f.events) << "signature " << f.signature << " status " << f.status;
    }
}

TEST_F(TrackIRTest, ALibraryWithoutGetDataStaysSilent) {
    use("full").frame.frameSignature = 1;
    { TrackIR first(*platform, window, "TrackIR"); }
    // Loading another library replaces every function the first one resolved.
    FakeNPClientScript& script = use("WITHOUT_GET_DATA");
    TrackIR tracker(*platform, window, "TrackIR");
    EXPECT_EQ(eventsOfOneCollect(tracker), 0u);
    EXPECT_EQ(script.journal, constructionCalls);
}

TEST_F(TrackIRTest, ScalesEachReadingIntoOneEventPerAxisStampedAlike) {
    FakeNPClientScript& script = use("full");
    const std::unique_ptr<Platform::Context> stamping = TestPlatform::make(fake, nullptr, fixedTicks);
    TrackIR tracker(*stamping, window, "TrackIR");
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        FakeNPClientScript::Frame frame;  // status, signature, roll, pitch, yaw, x, y, z
        std::vector<int32_t> values;      // Z, Y, X, roll, yaw, pitch
    } cases[] = {
        {{0, 1, -16383, 100, 100, 20000, 16383, 0.5f}, {32770, 1073741823, 1310800003, -1073741823, -6554000, 6554000}},
        {{0, 2, 0, -0.5f, -100, -20000, 0, -16383}, {-1073741823, 0, -1310800003, 0, 6554000, -32770}},
        // Beyond 32 bits the values saturate; yaw saturates again when negated.
        {{0, 3, -1e6f, 1e6f, -1e6f, nan, infinity, -infinity}, {min, max, 0, min, max, max}},
        {{0, 4, 0, 0, 1e6f, 0, 0, 0}, {0, 0, 0, 0, -max, 0}},
    };
    for (const auto& c : cases) {
        script.frame = c.frame;
        DeviceEventList list = {{1, 1, true, 4000, 0}, {2, 1, true, 5000, 0}};
        tracker.collect(list);
        ASSERT_EQ(list.size(), 8u);
        EXPECT_EQ(list.front().time, 4000u);
        EXPECT_EQ(list.back().time, 5000u);
        const std::vector<int32_t> codes = {3078, 3077, 3076, 3075, 3074, 3073};
        for (size_t i = 0; i < 6; ++i) {
            const DeviceEvent& e = list[i + 1];
            SCOPED_TRACE("frame " + std::to_string(c.frame.frameSignature) + " event " + std::to_string(i));
            EXPECT_EQ(std::make_tuple(e.code, e.value, e.absolute, e.time, e.device),
                      std::make_tuple(codes[i], c.values[i], true, 4242u, 0u));
        }
    }
}

TEST(NPClientLibraryPath, JoinsFolderAndFileWithOneMoreSeparator) {
    using NPClient::Native::libraryPath;
    EXPECT_EQ(libraryPath("", '\\', "NPClient.dll"), "NPClient.dll");
    EXPECT_EQ(libraryPath("C:\\TrackIR", '\\', "NPClient.dll"), "C:\\TrackIR\\NPClient.dll");
    EXPECT_EQ(libraryPath("C:\\TrackIR\\", '\\', "NPClient.dll"), "C:\\TrackIR\\\\NPClient.dll");
    EXPECT_EQ(libraryPath("/opt/tracker", '/', "NPClient.so"), "/opt/tracker/NPClient.so");
}

} // namespace
