#ifndef VORLAN_DEVICES_DEVICENAMES_H
#define VORLAN_DEVICES_DEVICENAMES_H

#include "platform/directinput/Guid.h"

#include <string>

// A copy of a DirectInput instance name that is safe in a file name: control
// bytes and \ / : * ? " < > | become underscores; bytes from 0x80 up stay.
std::string sanitizeName(const std::string& name);

// "XXXXXXXX-XXXX-xxxx-XXXX-XXXXXXXXXXXX": the third group in lower case, no braces.
std::string formatGuid(const DirectInput::Guid& guid);

#endif
