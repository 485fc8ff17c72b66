#include "devices/DeviceNames.h"

#include <cstdio>
#include <cstring>

std::string sanitizeName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            c = '_';
    }
    return safe;
}

std::string formatDeviceGuid(const DirectInput::Guid& g) {
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", g.data1, g.data2, g.data3,
                  g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}
