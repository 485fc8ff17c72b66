#ifndef VORLAN_TESTS_LOGCAPTURE_H
#define VORLAN_TESTS_LOGCAPTURE_H

#include "core/Log.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// Points the library log at files in a fresh temporary folder, with a fixed
// clock, and puts the process-wide log state back afterwards.
class LogCapture {
public:
    // The time line every entry gets under the fixed clock.
    static constexpr const char* timeLine = "2026.03.07 09:05:04:007 \n";

    LogCapture() : saved(snapshot()) {
        char pattern[] = "/tmp/vorlan-log-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            throw std::runtime_error("cannot create a temporary log folder");
        folder = made;
        LogState& s = logState();
        s.logPath = path("log.txt");
        s.logKeyboard = s.logMouse = s.logJoysticks = true;
        s.clock = [] {
            Platform::LocalTime t;
            t.year = 2026;
            t.month = 3;
            t.day = 7;
            t.hour = 9;
            t.minute = 5;
            t.second = 4;
            t.millisecond = 7;
            return t;
        };
    }

    ~LogCapture() {
        LogState& s = logState();
        s.logPath = saved.logPath;
        s.logKeyboard = saved.logKeyboard;
        s.logMouse = saved.logMouse;
        s.logJoysticks = saved.logJoysticks;
        s.clock = saved.clock;
        for (auto it = s.logStreams.begin(); it != s.logStreams.end();)
            it = it->first.rfind(folder, 0) == 0 ? s.logStreams.erase(it) : std::next(it);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string path(const std::string& name) const { return folder + "/" + name; }

    // The whole content of a file in the folder; the default log file by default.
    std::string read(const std::string& name = "log.txt") const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool exists(const std::string& name = "log.txt") const { return std::ifstream(path(name)).good(); }

    // What one entry with the given message looks like in the file.
    static std::string entry(const std::string& message) { return "\n" + std::string(timeLine) + message; }

private:
    struct Saved {
        std::string logPath;
        bool logKeyboard, logMouse, logJoysticks;
        Platform::LocalTime (*clock)();
    };
    static Saved snapshot() {
        const LogState& s = logState();
        return {s.logPath, s.logKeyboard, s.logMouse, s.logJoysticks, s.clock};
    }

    Saved saved;
    std::string folder;
};

#endif
