#include "core/Log.h"

#include "VorlanAction.h"
#include "core/CodeSpace.h"

#include <iomanip>

LogState& logState() {
    static LogState state;
    return state;
}

bool isLoggingEnabled() {
    const LogState& s = logState();
    return s.logKeyboard || s.logMouse || s.logJoysticks;
}

Log::Log() : Log(logState().logPath, isLoggingEnabled(), true) {}

// The first entry for a file creates or empties it, even when disabled. A
// disabled entry on a file already opened once would only open and close it
// again, which changes nothing, so it leaves the file alone: logging off
// costs no file operations per frame.
Log::Log(const std::string& fileName, bool enabled, bool timestamp)
    : fileName(fileName), timestamp(timestamp), enabled(enabled) {
    auto& streams = logState().logStreams;
    auto found = streams.find(fileName);
    if (found == streams.end()) {
        auto created = std::make_unique<std::ofstream>(fileName, std::ios::out | std::ios::trunc);
        stream = created.get();
        streams.emplace(fileName, std::move(created));
    } else {
        stream = found->second.get();
        if (enabled) {
            stream->clear();
            stream->open(fileName, std::ios::out | std::ios::app);
        }
    }
    writeHead();
}

Log::~Log() {
    if (stream->is_open())
        stream->close();
}

void Log::writeHead() {
    if (!enabled)
        return;
    *stream << '\n';
    if (timestamp) {
        const Platform::LocalTime t = logState().clock();
        *stream << std::setfill('0')
                << std::setw(4) << t.year << '.' << std::setw(2) << t.month << '.'
                << std::setw(2) << t.day << ' ' << std::setw(2) << t.hour << ':'
                << std::setw(2) << t.minute << ':' << std::setw(2) << t.second << ':'
                << std::setw(3) << t.millisecond << " \n";
    }
    stream->flush();
}

template <class T>
Log& Log::put(const T& value) {
    if (enabled) {
        *stream << value;
        stream->flush();
    }
    return *this;
}

Log& Log::operator<<(const char* text) { return put(text); }
Log& Log::operator<<(const std::string& text) { return put(text); }
Log& Log::operator<<(int32_t value) { return put(value); }
Log& Log::operator<<(uint32_t value) { return put(value); }
Log& Log::operator<<(uint16_t value) { return put(value); }
Log& Log::operator<<(bool value) { return put(value ? "1" : "0"); }
Log& Log::operator<<(double value) { return put(value); }

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
