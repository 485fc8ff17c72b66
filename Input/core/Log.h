#ifndef VORLAN_CORE_LOG_H
#define VORLAN_CORE_LOG_H

#include "platform/Clock.h"

#include <cstdint>
#include <set>
#include <string>

class VorlanAction;

// Process-wide log state.
struct LogState {
    std::string logPath = "temp/VorlanStart.txt";
    // The file names ever logged to in this process: the first entry for a
    // name empties the file, later entries append.
    std::set<std::string> logStreams;
    bool logKeyboard = true;
    bool logMouse = true;
    bool logJoysticks = true;
    // Source of the time lines; tests replace it.
    Platform::LocalTime (*clock)() = Platform::localTime;
};

LogState& logState();

// One log entry: opened by the constructor (line feed and time line), written
// piece by piece into memory, and appended to the file at once by the
// destructor, which opens and closes the file.
class Log {
public:
    // The standard entry: logPath, enabled when any switch is on, time-stamped.
    Log();
    Log(const std::string& fileName, bool enabled, bool timestamp);
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    bool isEnabled() const { return enabled; }

    Log& operator<<(const char* text);
    Log& operator<<(const std::string& text);
    Log& operator<<(int32_t value);
    Log& operator<<(uint32_t value);
    Log& operator<<(uint16_t value);
    Log& operator<<(bool value);  // "1" or "0"
    Log& operator<<(double value);

private:
    void writeHead();

    std::string fileName;
    bool timestamp;
    bool enabled;
    std::string entry;  // the head and pieces, written by the destructor
};

// Whether the standard entry is enabled: any of the three switches on.
bool isLoggingEnabled();

// Whether logAction can have any effect: logging is on, or the log file has
// not been opened yet in this process, so that even a suppressed entry would
// create or empty it.
bool isActionLogNeeded();

// Writes "Action added: <n>[ value: <v>]" when the switch of the action's
// device kind allows: keyboard (and head tracker), mouse, joysticks, and any
// other device number whenever logging is enabled at all.
void logAction(const VorlanAction& action);

#endif
