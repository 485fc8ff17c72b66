#ifndef VORLAN_DEVICES_DEVICENAMES_H
#define VORLAN_DEVICES_DEVICENAMES_H

#include "platform/directinput/Guid.h"

#include <string>

// A copy of a DirectInput instance name that is safe in a file name: control
// bytes and \ / : * ? " < > | become underscores; bytes from 0x80 up stay.
std::string sanitizeName(const std::string& name);

// A GUID as joystick names and device log entries carry it, without braces:
// "XXXXXXXX-XXXX-xxxx-XXXX-XXXXXXXXXXXX". The third group is in lower case,
// unlike the rest and unlike session files: scripts and saved bindings key on
// joystick names written this way, so the case is part of every such name.
std::string formatDeviceGuid(const DirectInput::Guid& guid);

#endif
