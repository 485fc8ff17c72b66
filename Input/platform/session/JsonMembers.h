#ifndef VORLAN_PLATFORM_SESSION_JSONMEMBERS_H
#define VORLAN_PLATFORM_SESSION_JSONMEMBERS_H

#include "platform/directinput/Guid.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Typed reading of session lines. Values are named by their path in the line
// ("caps.flags", "data[2][1]") in every message.
namespace Session {

using Json = nlohmann::json;

// A fault in one line of a session; the reader adds the file and the line.
class BadLine : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// value as an integer from min to max, or BadLine.
int64_t integerValue(const Json& value, const std::string& path, int64_t min, int64_t max);

// number as the float it rounds to; false when that is not finite.
bool finiteFloat(double number, float& result);

// value as a text: a string, or {"bytes":"HEX"} for bytes that are not
// UTF-8; else BadLine.
std::string stringValue(const Json& value, const std::string& path);

// The members of one JSON object, read by name. finish() refuses a member
// that nothing read, so that a misspelt name is not silently ignored.
class Members {
public:
    // object must be a JSON object; path names it ("" for the whole line).
    Members(const Json& object, std::string path);

    // The member's value, or nullptr when it is absent; either way the name
    // is known.
    const Json* find(const char* name);
    // The member's value; BadLine when it is absent.
    const Json& required(const char* name);

    // An integer member from min to max; fallback when absent.
    int64_t integer(const char* name, int64_t min, int64_t max, int64_t fallback);
    int64_t requiredInteger(const char* name, int64_t min, int64_t max);
    std::string string(const char* name, const std::string& fallback);
    std::string requiredString(const char* name);
    DirectInput::Guid guid(const char* name, const DirectInput::Guid& fallback);
    DirectInput::Guid requiredGuid(const char* name);
    // A number that rounds to a finite float, or "NaN", "Infinity" or
    // "-Infinity"; fallback when absent.
    float number(const char* name, float fallback);

    // The path of a member, for messages about it and its parts.
    std::string pathOf(const char* name) const;

    // BadLine for the first member whose name nothing asked for.
    void finish() const;

private:
    const Json& object;
    std::string path;
    std::vector<std::string> known;  // the names asked for
};

} // namespace Session

#endif
