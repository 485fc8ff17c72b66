#ifndef VORLAN_PLATFORM_SESSION_SESSIONWRITER_H
#define VORLAN_PLATFORM_SESSION_SESSIONWRITER_H

#include "platform/session/SessionData.h"

#include <fstream>
#include <string>
#include <vector>

namespace Session {

// Writes a session file line by line (docs/session-format.md), flushing each
// line, so that what was written survives a crash of the host. Members equal
// to what the reader assumes are left out. Texts that are not UTF-8 and
// readings that are not finite are written so that they read back the same.
class Writer {
public:
    // Opens path for writing, replacing what it held. False, with error set to
    // a one-line message, when it cannot.
    bool open(const std::string& path, std::string& error);

    void header();
    void device(const DeclaredDevice& device);
    void tracker(const TrackerSetup& setup);
    // devices gives the ids of the frame's devices.
    // A frame past MaxFrame is not written, and is a failure.
    void frame(const Frame& frame, const std::vector<DeclaredDevice>& devices);

    // Why the file is incomplete: the first write that failed, with the
    // system's reason; empty while every line was written. Nothing is written
    // after a failure.
    const std::string& failure() const { return failed; }

private:
    void write(const std::string& line);

    std::string path;
    std::ofstream out;
    std::string failed;
};

} // namespace Session

#endif
