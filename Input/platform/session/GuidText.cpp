#include "platform/session/GuidText.h"

#include <cstdio>
#include <utility>

namespace Session {

std::string formatGuid(const DirectInput::Guid& g) {
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(g.data1), g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2],
                  g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool parseGuid(const std::string& text, DirectInput::Guid& guid) {
    // The 32 hex digits in order, with dashes after the 8th, 12th, 16th and 20th.
    static const char layout[] = "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx";
    if (text.size() != sizeof layout - 1)
        return false;
    uint8_t bytes[16] = {};
    size_t digits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (layout[i] == '-') {
            if (text[i] != '-')
                return false;
            continue;
        }
        const int value = hexDigit(text[i]);
        if (value < 0)
            return false;
        bytes[digits / 2] = static_cast<uint8_t>(bytes[digits / 2] << 4 | value);
        ++digits;
    }
    guid.data1 = static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    guid.data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        guid.data4[i] = bytes[8 + i];
    return true;
}

std::string formatHexBytes(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

bool parseHexBytes(const std::string& text, std::string& bytes) {
    if (text.size() % 2 != 0)
        return false;
    std::string parsed;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed += static_cast<char>(high << 4 | low);
    }
    bytes = std::move(parsed);
    return true;
}

} // namespace Session
