#ifndef VORLAN_TESTS_LOGCAPTURE_H
#define VORLAN_TESTS_LOGCAPTURE_H

#include "core/Log.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

// Points the library log at a fresh temporary folder with a fixed clock, all
// switches on, and puts the process-wide log state back afterwards.
class LogCapture {
public:
    LogCapture() : saved{logState().logPath, logState().clock} {
        char pattern[] = "/tmp/vorlan-log-XXXXXX";
        folder = mkdtemp(pattern) ? pattern : "/tmp";
        logState().logPath = path("log.txt");
        logState().clock = [] { return Platform::LocalTime{2026, 3, 7, 9, 5, 4, 7}; };
        setSwitches(true);
    }
    ~LogCapture() {
        LogState& s = logState();
        for (auto it = s.logStreams.begin(); it != s.logStreams.end();)
            it = it->rfind(folder, 0) == 0 ? s.logStreams.erase(it) : std::next(it);
        std::filesystem::remove_all(folder);
        s.logPath = saved.logPath;
        s.clock = saved.clock;
        setSwitches(true);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string path(const std::string& name) const { return folder + "/" + name; }

    std::string read(const std::string& name = "log.txt") const {
        std::ostringstream text;
        text << std::ifstream(path(name), std::ios::binary).rdbuf();
        return text.str();
    }

    // What the log file gained since the last call (all of it the first time).
    std::string fresh() {
        const std::string all = read();
        return all.substr(std::exchange(seen, all.size()));
    }

    // One entry as the fixed clock writes it.
    static std::string entry(const std::string& message) { return "\n2026.03.07 09:05:04:007 \n" + message; }

private:
    static void setSwitches(bool on) { logState().logKeyboard = logState().logMouse = logState().logJoysticks = on; }

    struct {
        std::string logPath;
        Platform::LocalTime (*clock)();
    } saved;
    std::string folder;
    size_t seen = 0;
};

#endif
