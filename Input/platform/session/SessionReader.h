#ifndef VORLAN_PLATFORM_SESSION_SESSIONREADER_H
#define VORLAN_PLATFORM_SESSION_SESSIONREADER_H

#include "platform/session/SessionData.h"

#include <istream>
#include <memory>
#include <string>

namespace Session {

// How frame lines are read: the usual shape quickly, anything else the
// thorough way (the default); or every line the thorough way, to compare.
enum class FrameReading { Quick, Thorough };

// Reads a session (docs/session-format.md) line by line, checking each: its
// head (the header, device and head-tracker lines) first, then one frame at a
// time, so that only the frame being read is held. A fault ends the reading
// with one line naming the file, the line and what is wrong there.
class SessionReader {
public:
    // Reads the file at path.
    explicit SessionReader(const std::string& path, FrameReading reading = FrameReading::Quick);
    // Reads from in, which must outlive the reader, path naming it in messages.
    SessionReader(std::istream& in, const std::string& path, FrameReading reading = FrameReading::Quick);
    // Reads from in, which it keeps.
    SessionReader(std::unique_ptr<std::istream> in, const std::string& path);
    SessionReader(SessionReader&&) noexcept;
    ~SessionReader();

    // Reads the lines up to the first frame's; false on a fault.
    bool readHead();
    const Head& head() const;
    // Reads the next frame into frame; false at the end or on a fault.
    bool nextFrame(Frame& frame);
    // The fault met, "" while there is none.
    const std::string& error() const;
    // Keeps every byte read from now on in text.
    void keepText(std::string& text);

private:
    class Lines;
    std::unique_ptr<Lines> lines;
};

// Reads and checks the whole session at path without keeping its frames; false
// with error set on a fault. With text, the session's bytes are kept there,
// for a file that can be read only once (a pipe).
bool checkSession(const std::string& path, std::string& error, std::string* text = nullptr);

// Reads the whole session into data. True with data filled in; otherwise
// false with data untouched and error set.
bool readSession(const std::string& path, Data& data, std::string& error,
                 FrameReading reading = FrameReading::Quick);
// The same from a stream, path naming it in messages.
bool readSession(std::istream& in, const std::string& path, Data& data, std::string& error,
                 FrameReading reading = FrameReading::Quick);

} // namespace Session

#endif
