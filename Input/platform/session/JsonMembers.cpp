#include "platform/session/JsonMembers.h"

#include "platform/session/GuidText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Session {

namespace {

// A value as the message shows it: its JSON text, shortened when long.
std::string shown(const Json& value) {
    std::string text = value.dump();
    if (text.size() > 40)
        text = text.substr(0, 37) + "...";
    return text;
}

[[noreturn]] void refuse(const std::string& path, const std::string& expected, const Json& value) {
    throw BadLine(path + ": expected " + expected + ", got " + shown(value));
}

} // namespace

// The largest float written as its shortest text (3.4028235e+38) lies a
// little above it: every number that rounds to a finite float is taken.
bool finiteFloat(double number, float& result) {
    const double largest = std::numeric_limits<float>::max();
    const double roundsToLargest = largest + std::ldexp(1.0, 103);  // half a unit in the last place above
    if (!(std::fabs(number) < roundsToLargest))
        return false;
    result = static_cast<float>(std::clamp(number, -largest, largest));
    return true;
}

int64_t integerValue(const Json& value, const std::string& path, int64_t min, int64_t max) {
    const std::string expected = "an integer from " + std::to_string(min) + " to " + std::to_string(max);
    if (value.is_number_unsigned()) {
        const uint64_t number = value.get<uint64_t>();
        if (number > static_cast<uint64_t>(max) || static_cast<int64_t>(number) < min)
            refuse(path, expected, value);
        return static_cast<int64_t>(number);
    }
    if (!value.is_number_integer())
        refuse(path, expected, value);
    const int64_t number = value.get<int64_t>();
    if (number < min || number > max)
        refuse(path, expected, value);
    return number;
}

std::string stringValue(const Json& value, const std::string& path) {
    if (value.is_string())
        return value.get_ref<const std::string&>();
    // A text that is not UTF-8: {"bytes":"HEX"}, two hex digits per byte.
    std::string bytes;
    if (value.is_object() && value.size() == 1 && value.contains("bytes") && value["bytes"].is_string() &&
        parseHexBytes(value["bytes"].get_ref<const std::string&>(), bytes))
        return bytes;
    refuse(path, "a string or {\"bytes\":\"HEX\"}", value);
}

Members::Members(const Json& object, std::string path) : object(object), path(std::move(path)) {
    if (!object.is_object())
        refuse(this->path.empty() ? "line" : this->path, "an object", object);
}

std::string Members::pathOf(const char* name) const { return path.empty() ? name : path + "." + name; }

const Json* Members::find(const char* name) {
    known.emplace_back(name);
    const auto member = object.find(name);
    return member == object.end() ? nullptr : &*member;
}

const Json& Members::required(const char* name) {
    const Json* value = find(name);
    if (!value)
        throw BadLine(pathOf(name) + ": missing");
    return *value;
}

int64_t Members::integer(const char* name, int64_t min, int64_t max, int64_t fallback) {
    const Json* value = find(name);
    return value ? integerValue(*value, pathOf(name), min, max) : fallback;
}

int64_t Members::requiredInteger(const char* name, int64_t min, int64_t max) {
    return integerValue(required(name), pathOf(name), min, max);
}

std::string Members::string(const char* name, const std::string& fallback) {
    const Json* value = find(name);
    return value ? stringValue(*value, pathOf(name)) : fallback;
}

std::string Members::requiredString(const char* name) { return stringValue(required(name), pathOf(name)); }

DirectInput::Guid Members::guid(const char* name, const DirectInput::Guid& fallback) {
    const Json* value = find(name);
    if (!value)
        return fallback;
    DirectInput::Guid guid;
    if (!value->is_string() || !parseGuid(value->get_ref<const std::string&>(), guid))
        refuse(pathOf(name), "a GUID \"XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX\"", *value);
    return guid;
}

DirectInput::Guid Members::requiredGuid(const char* name) {
    required(name);
    return guid(name, DirectInput::Guid());
}

float Members::number(const char* name, float fallback) {
    const Json* value = find(name);
    if (!value)
        return fallback;
    if (value->is_string()) {
        const std::string& text = value->get_ref<const std::string&>();
        if (text == "NaN")
            return std::numeric_limits<float>::quiet_NaN();
        if (text == "Infinity" || text == "-Infinity")
            return text[0] == '-' ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    }
    float number = 0;
    if (!value->is_number() || !finiteFloat(value->get<double>(), number))
        refuse(pathOf(name), "a number, \"NaN\", \"Infinity\" or \"-Infinity\"", *value);
    return number;
}

void Members::finish() const {
    for (const auto& member : object.items())
        if (std::find(known.begin(), known.end(), member.key()) == known.end())
            throw BadLine("unknown member \"" + pathOf(member.key().c_str()) + "\"");
}

} // namespace Session
