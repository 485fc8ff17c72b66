#ifndef VORLAN_TESTS_SESSIONSUPPORT_H
#define VORLAN_TESTS_SESSIONSUPPORT_H

#include "platform/npclient/NPClient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace SessionTests {

// Sets an environment variable for the test's duration (unset when value is null).
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old, hadValue = true;
        set(value);
    }
    ScopedVariable(const char* name, const std::string& value) : ScopedVariable(name, value.c_str()) {}
    ~ScopedVariable() { set(hadValue ? previous.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    const char* name;
    std::string previous;
    bool hadValue = false;
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
    NPClient::DataFrame frame;
    frame.status = status;
    frame.frameSignature = signature;
    frame.pitch = pitch;
    frame.yaw = yaw;
    frame.roll = 0.25f;
    frame.x = -1.5f;
    frame.y = 1e-3f;
    frame.z = 16383.0f;
    return frame;
}

} // namespace SessionTests

#endif
