#ifndef VORLAN_PLATFORM_SESSION_SESSIONREADER_H
#define VORLAN_PLATFORM_SESSION_SESSIONREADER_H

#include "platform/session/SessionData.h"

#include <istream>
#include <string>

namespace Session {

// Reads and checks the whole session file at path (docs/session-format.md).
// True with data filled in; otherwise false with data untouched and error set
// to one line naming the file, the line and what is wrong there.
bool readSession(const std::string& path, Data& data, std::string& error);
// The same from a stream, path naming it in messages.
bool readSession(std::istream& in, const std::string& path, Data& data, std::string& error);

} // namespace Session

#endif
