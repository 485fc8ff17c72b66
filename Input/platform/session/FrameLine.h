#ifndef VORLAN_PLATFORM_SESSION_FRAMELINE_H
#define VORLAN_PLATFORM_SESSION_FRAMELINE_H

#include "platform/session/JsonMembers.h"
#include "platform/session/SessionData.h"

#include <map>
#include <optional>
#include <string>

namespace Session {

// Reads a frame line the quick way: one pass of the JSON parser's events over
// the line, without building its document, taking the members that recorded
// frames have (devices' poll, result and data, the head tracker's reading,
// the clock's readings). Anything else, a fault included, makes it give up,
// and the session reader then reads the line the thorough way, which accepts
// it or names its fault; so this reader must accept only what that one
// accepts, with the same result.
class FrameLine final : public nlohmann::json_sax<Json> {
public:
    // The session's devices' indexes by id and its head tracker, as the
    // lines before the frames declare them.
    FrameLine(const std::map<std::string, size_t>& ids, const std::optional<TrackerSetup>& tracker);

    // True with frame filled, and tracker updated with the line's tracker
    // members, when the line is such a frame line, numbered after previous.
    bool read(const std::string& line, const std::optional<uint32_t>& previous, Frame& frame,
              NPClient::DataFrame& tracker);

    bool null() override { return false; }
    bool boolean(bool) override { return false; }
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t&) override;
    bool string(string_t&) override { return false; }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override;
    bool key(string_t& name) override;
    bool end_object() override;
    bool start_array(std::size_t) override;
    bool end_array() override;
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    // Where the parser is: the line, its devices, one device's fetch, its
    // records, one record, the tracker's reading, the clock's readings.
    enum class In { Nothing, Line, Devices, Fetch, Data, Record, Tracker, Ticks };
    // The member whose value comes next.
    enum class Member { None, Frame, Devices, HeadTracker, Ticks, Poll, Result, Data, Status, Signature, Roll, Pitch, Yaw, X, Y, Z };

    // A number as the parser gave it.
    struct Number {
        bool isFloat = false;
        bool negative = false;
        uint64_t magnitude = 0;  // integers: the absolute value
        double real = 0;         // floats
    };

    bool number(const Number& value);
    bool unsignedMember(const Number& value, uint64_t max, uint64_t& result) const;
    bool word(const Number& value, uint32_t& result) const;
    bool trackerNumber(Member member, const Number& value);
    bool enter(In context);

    const std::map<std::string, size_t>& ids;
    const std::optional<TrackerSetup>& tracker;

    In stack[6] = {};
    unsigned seen[6] = {};  // per level: the object's members met so far, as bits
    int depth = 0;
    Member pending = Member::None;
    Frame* frame = nullptr;
    Fetch* fetch = nullptr;  // the device's fetch being read
    DirectInput::DeviceObjectData record;
    uint32_t recordFields = 0;
    NPClient::DataFrame reading;  // the tracker's frame as the line leaves it
};

} // namespace Session

#endif
