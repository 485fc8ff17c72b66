#ifndef VORLAN_PLATFORM_SESSION_GUIDTEXT_H
#define VORLAN_PLATFORM_SESSION_GUIDTEXT_H

#include "platform/directinput/Guid.h"

#include <string>

// GUIDs as session files write them: "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX",
// the 32-bit field, the two 16-bit fields, then the eight bytes.
namespace Session {

// Upper-case hex digits.
std::string formatGuid(const DirectInput::Guid& guid);

// Reads text in that form (hex digits of either case) into guid; false, with
// guid unchanged, for anything else.
bool parseGuid(const std::string& text, DirectInput::Guid& guid);

// Bytes as two upper-case hex digits each, and back (digits of either case);
// parseHexBytes is false, with bytes unchanged, for an odd count or a non-digit.
std::string formatHexBytes(const std::string& bytes);
bool parseHexBytes(const std::string& text, std::string& bytes);

} // namespace Session

#endif
