#ifndef VORLAN_TESTS_SESSIONSUPPORT_H
#define VORLAN_TESTS_SESSIONSUPPORT_H

#include "platform/NativeContext.h"
#include "platform/directinput/Constants.h"
#include "platform/session/GuidText.h"
#include "platform/session/Selection.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace SessionTests {

// Sets an environment variable for the test's duration (unset when value is null).
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old;
        set(value);
    }
    ScopedVariable(const char* name, const std::string& value) : ScopedVariable(name, value.c_str()) {}
    ~ScopedVariable() { set(previous ? previous->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const char* value) { value ? setenv(name, value, 1) : unsetenv(name); }

    const char* name;
    std::optional<std::string> previous;
};

// A file in the test's temporary folder, named after the running test.
inline std::string tempPath(const std::string& suffix) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "vorlan-" + test->test_suite_name() + "-" + test->name() + suffix;
}

inline std::string writeFile(const std::string& suffix, const std::string& text) {
    const std::string path = tempPath(suffix);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

inline std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A head-tracker client that answers from a script: located in "trackers",
// version 0x0500, and getData answers the frames queued, the last one again
// when none is left.
class ScriptedClient final : public NPClient::Client {
public:
    struct Answer {
        NPClient::Result result;
        NPClient::DataFrame frame;
    };
    std::deque<Answer> answers;
    NPClient::Result registerResult = NPClient::Success;

    NPClient::Location locate(std::string& folder) override {
        folder = "trackers";
        return NPClient::Location::Found;
    }
    NPClient::Result load(const std::string&) override { return NPClient::Success; }
    NPClient::Result registerWindowHandle(void*) override { return registerResult; }
    NPClient::Result unregisterWindowHandle() override { return NPClient::Success; }
    NPClient::Result registerProgramProfileID(uint32_t) override { return NPClient::Success; }
    NPClient::Result queryVersion(uint16_t& version) override {
        version = 0x0500;
        return NPClient::Success;
    }
    NPClient::Result requestData(uint16_t) override { return NPClient::Success; }
    NPClient::Result getData(NPClient::DataFrame& frame) override {
        if (answers.empty())
            return NPClient::NotAvailable;
        const Answer answer = answers.front();
        if (answers.size() > 1)
            answers.pop_front();
        if (answer.result == NPClient::Success)
            frame = answer.frame;
        return answer.result;
    }
    NPClient::Result startCursor() override { return NPClient::Success; }
    NPClient::Result stopCursor() override { return NPClient::Success; }
    NPClient::Result reCenter() override { return NPClient::Success; }
    NPClient::Result startDataTransmission() override { return NPClient::Success; }
    NPClient::Result stopDataTransmission() override { return NPClient::Success; }
};

inline NPClient::DataFrame trackerFrame(uint16_t signature, float pitch, float yaw, uint16_t status = 0) {
    return {status, signature, 0, 0.25f, pitch, yaw, -1.5f, 1e-3f, 16383.0f};
}

// Drives the platform context that the environment selects over platform the
// way the library does and notes every answer that a session holds: the
// devices, their creation, capabilities and objects, the head tracker's
// set-up, then per frame each device's Poll and GetDeviceData, the tracker's
// frame, and the clock when that frame is new.
inline std::vector<std::string> drive(int frames,
                                      const Platform::ContextMaker& platform = Platform::createNativeContext) {
    using namespace DirectInput;
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    std::vector<std::string> said{"create " + std::to_string(Session::createContext(platform, context, failure))};
    if (!context)
        return said;
    System& system = context->directInput();
    std::vector<DeviceInstance> instances;
    system.enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [&](const DeviceInstance& i) { return instances.push_back(i), true; });
    std::vector<std::unique_ptr<Device>> devices;
    for (const DeviceInstance& i : instances) {
        std::unique_ptr<Device> device;
        std::ostringstream line;
        line << Session::formatGuid(i.guidInstance) << ' ' << Session::formatGuid(i.guidProduct) << ' ' << i.devType << ' '
             << i.instanceName << '/' << i.productName << ' ' << i.usagePage << ' ' << i.usage << " create "
             << system.createDevice(i.guidInstance, device);
        if (device) {
            DeviceCaps caps;
            caps.size = 44;
            line << " caps " << device->getCapabilities(caps) << ' ' << caps.size << ' ' << caps.flags << ' '
                 << caps.devType << ' ' << caps.axes << ' ' << caps.buttons << ' ' << caps.povs;
            for (uint32_t flags : {DIDFT_ALL, DIDFT_AXIS})
                device->enumObjects(flags, [&](const ObjectInstance& o) {
                    line << " [" << Session::formatGuid(o.guidType) << ' ' << o.ofs << ' ' << o.type << ' ' << o.flags
                         << ' ' << o.name << ']';
                    return true;
                });
            line << " set up " << device->setDataFormat(DataFormat::Joystick2) << ' '
                 << device->setCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_FOREGROUND) << ' '
                 << device->setProperty(DIPROP_BUFFERSIZE, PropertyDword{}) << ' ' << device->acquire();
            devices.push_back(std::move(device));
        }
        said.push_back(line.str());
    }

    NPClient::Client& tracker = context->headTracker();
    std::string folder;
    uint16_t version = 0;
    std::ostringstream setup;
    setup << "tracker " << static_cast<int>(tracker.locate(folder)) << ' ' << folder << ' ' << tracker.load(folder)
          << ' ' << tracker.registerWindowHandle(nullptr) << ' ' << tracker.requestData(0x77) << ' '
          << tracker.queryVersion(version) << ' ' << version;
    said.push_back(setup.str());

    uint16_t lastSignature = 0;
    for (int n = 1; n <= frames; ++n) {
        context->beginFrame();
        std::ostringstream line;
        line << "frame " << n;
        for (const std::unique_ptr<Device>& device : devices) {
            DeviceObjectData records[1024];
            uint32_t count = 1024;
            line << " | poll " << device->poll() << " fetch " << device->getDeviceData(records, count, 0);
            for (uint32_t i = 0; i < count; ++i)
                line << " (" << records[i].ofs << ',' << records[i].data << ',' << records[i].timeStamp << ')';
        }
        NPClient::DataFrame frame;
        const NPClient::Result result = tracker.getData(frame);
        line << " | tracker " << result;
        if (result == NPClient::Success) {
            line << ' ' << frame.status << ' ' << frame.frameSignature << ' ' << frame.roll << ' ' << frame.pitch << ' '
                 << frame.yaw << ' ' << frame.x << ' ' << frame.y << ' ' << frame.z;
            if (frame.frameSignature != lastSignature)
                line << " at " << context->ticks();
            lastSignature = frame.frameSignature;
        }
        said.push_back(line.str());
    }
    return said;
}

} // namespace SessionTests

#endif
