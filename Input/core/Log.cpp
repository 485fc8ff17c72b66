#include "core/Log.h"

#include "VorlanAction.h"
#include "core/CodeSpace.h"
#include "platform/LogFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

LogState& logState() {
    static LogState state;
    return state;
}

bool isLoggingEnabled() {
    const LogState& s = logState();
    return s.logKeyboard || s.logMouse || s.logJoysticks;
}

bool isActionLogNeeded() {
    const LogState& s = logState();
    return isLoggingEnabled() || s.logStreams.count(s.logPath) == 0;
}

Log::Log() : Log(logState().logPath, isLoggingEnabled(), true) {}

// The first entry for a file creates or empties it, even when disabled. A
// disabled entry on a file already emptied once would only open and close it
// again, which changes nothing, so it leaves the file alone: logging off
// costs no file operations per frame.
Log::Log(const std::string& fileName, bool enabled, bool timestamp)
    : fileName(fileName), timestamp(timestamp), enabled(enabled) {
    if (logState().logStreams.insert(fileName).second)
        Platform::emptyLogFile(fileName);
    writeHead();
}

// The entry was composed in memory; it reaches the file with one write.
Log::~Log() {
    if (enabled)
        Platform::appendToLogFile(fileName, entry.data(), entry.size());
}

namespace {

// A number as the stream writes it with that width and the fill '0'.
void appendPadded(std::string& text, int value, int width) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(static_cast<size_t>(std::max(0, width - static_cast<int>(end - digits))), '0');
    text.append(digits, end);
}

template <class Integer>
void appendInteger(std::string& text, Integer value) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

} // namespace

void Log::writeHead() {
    if (!enabled)
        return;
    entry.reserve(96);
    entry += '\n';
    if (timestamp) {
        const Platform::LocalTime t = logState().clock();
        appendPadded(entry, t.year, 4);
        entry += '.';
        appendPadded(entry, t.month, 2);
        entry += '.';
        appendPadded(entry, t.day, 2);
        entry += ' ';
        appendPadded(entry, t.hour, 2);
        entry += ':';
        appendPadded(entry, t.minute, 2);
        entry += ':';
        appendPadded(entry, t.second, 2);
        entry += ':';
        appendPadded(entry, t.millisecond, 3);
        entry += " \n";
    }
}

Log& Log::operator<<(const char* text) {
    if (enabled)
        entry += text;
    return *this;
}

Log& Log::operator<<(const std::string& text) {
    if (enabled)
        entry += text;
    return *this;
}

Log& Log::operator<<(int32_t value) {
    if (enabled)
        appendInteger(entry, value);
    return *this;
}

Log& Log::operator<<(uint32_t value) {
    if (enabled)
        appendInteger(entry, value);
    return *this;
}

Log& Log::operator<<(uint16_t value) {
    if (enabled)
        appendInteger(entry, value);
    return *this;
}

Log& Log::operator<<(bool value) { return *this << (value ? "1" : "0"); }

// The stream's default for a double: six significant digits, %g style.
Log& Log::operator<<(double value) {
    if (enabled) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*g", 6, value);
        entry += text;
    }
    return *this;
}

namespace {

bool actionLineWanted(uint32_t device) {
    const LogState& s = logState();
    if (device == CodeSpace::keyboardDevice)  // the head tracker's too
        return s.logKeyboard;
    if (device == CodeSpace::mouseDevice)
        return s.logMouse;
    if (device >= CodeSpace::firstJoystickBlock)
        return s.logJoysticks;
    return isLoggingEnabled();
}

} // namespace

// A suppressed line still opens its entry: the first entry for a path
// creates or empties the file, whatever its kind.
void logAction(const VorlanAction& action) {
    Log log(logState().logPath, actionLineWanted(action.getDevice()), true);
    log << "Action added: " << action.getAction();
    if (action.hasValue())
        log << " value: " << action.getValue();
}
