#include "platform/session/FrameLine.h"

#include <limits>

namespace Session {

namespace {

constexpr uint64_t Uint16Max = std::numeric_limits<uint16_t>::max();
constexpr uint64_t Uint32Max = std::numeric_limits<uint32_t>::max();
constexpr uint64_t Int32MinMagnitude = uint64_t(1) << 31;

unsigned bit(int member) { return 1u << member; }

} // namespace

FrameLine::FrameLine(const std::map<std::string, size_t>& ids, const std::optional<TrackerSetup>& tracker)
    : ids(ids), tracker(tracker) {}

bool FrameLine::read(const std::string& line, const std::optional<uint32_t>& previous, Frame& out,
                     NPClient::DataFrame& trackerFrame) {
    out = Frame();
    frame = &out;
    reading = trackerFrame;
    depth = 0;
    pending = Member::None;
    fetch = nullptr;
    if (!Json::sax_parse(line, this) || !(seen[0] & bit(int(Member::Frame))))
        return false;
    if (previous && out.number <= *previous)
        return false;
    for (const auto& [device, read] : out.fetches)
        if (!read.records.empty() && (DirectInput::failed(read.poll) || DirectInput::failed(read.result)))
            return false;
    trackerFrame = reading;
    return true;
}

bool FrameLine::enter(In context) {
    if (depth == int(std::size(stack)))
        return false;
    stack[depth] = context;
    seen[depth++] = 0;
    pending = Member::None;
    return true;
}

bool FrameLine::start_object(std::size_t) {
    const In in = depth ? stack[depth - 1] : In::Nothing;
    if (in == In::Nothing)
        return enter(In::Line);
    if (in == In::Line && pending == Member::Devices)
        return enter(In::Devices);
    if (in == In::Line && pending == Member::HeadTracker && tracker) {
        frame->tracker.emplace();
        return enter(In::Tracker);
    }
    if (in == In::Devices && fetch)
        return enter(In::Fetch);
    return false;
}

bool FrameLine::start_array(std::size_t) {
    const In in = depth ? stack[depth - 1] : In::Nothing;
    if (in == In::Line && pending == Member::Ticks)
        return enter(In::Ticks);
    if (in == In::Fetch && pending == Member::Data)
        return enter(In::Data);
    if (in == In::Data) {
        recordFields = 0;
        return enter(In::Record);
    }
    return false;
}

bool FrameLine::end_object() {
    const In in = stack[--depth];
    if (in == In::Tracker)
        frame->tracker->frame = reading;
    fetch = nullptr;
    pending = Member::None;
    return true;
}

bool FrameLine::end_array() {
    const In in = stack[--depth];
    if (in == In::Record && recordFields != 3)
        return false;
    if (in == In::Ticks && frame->ticks.empty())
        return false;
    if (in == In::Record)
        fetch->records.push_back(record);
    pending = Member::None;
    return true;
}

// The member's name, known in its object and met for the first time there; a
// device's id names a declared device not met before in the line.
bool FrameLine::key(string_t& name) {
    static const std::map<std::string, Member, std::less<>> line = {
        {"frame", Member::Frame}, {"devices", Member::Devices}, {"headTracker", Member::HeadTracker}, {"ticks", Member::Ticks}};
    static const std::map<std::string, Member, std::less<>> fetchMembers = {
        {"poll", Member::Poll}, {"result", Member::Result}, {"data", Member::Data}};
    static const std::map<std::string, Member, std::less<>> trackerMembers = {
        {"result", Member::Result}, {"status", Member::Status}, {"signature", Member::Signature},
        {"roll", Member::Roll},     {"pitch", Member::Pitch},   {"yaw", Member::Yaw},
        {"x", Member::X},           {"y", Member::Y},           {"z", Member::Z}};
    const In in = stack[depth - 1];
    if (in == In::Devices) {
        const auto id = ids.find(name);
        if (id == ids.end() || frame->fetches.count(id->second))
            return false;
        fetch = &frame->fetches[id->second];
        return true;
    }
    const auto& members = in == In::Line ? line : in == In::Fetch ? fetchMembers : trackerMembers;
    const auto member = members.find(name);
    if (member == members.end() || (seen[depth - 1] & bit(int(member->second))))
        return false;
    seen[depth - 1] |= bit(int(member->second));
    pending = member->second;
    return true;
}

bool FrameLine::number_integer(number_integer_t value) {
    Number number;
    number.negative = value < 0;
    number.magnitude = number.negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return this->number(number);
}

bool FrameLine::number_unsigned(number_unsigned_t value) {
    Number number;
    number.magnitude = value;
    return this->number(number);
}

bool FrameLine::number_float(number_float_t value, const string_t&) {
    Number number;
    number.isFloat = true;
    number.real = value;
    return this->number(number);
}

bool FrameLine::unsignedMember(const Number& value, uint64_t max, uint64_t& result) const {
    if (value.isFloat || (value.negative && value.magnitude != 0) || value.magnitude > max)
        return false;
    result = value.magnitude;
    return true;
}

// A 32-bit word written signed or unsigned.
bool FrameLine::word(const Number& value, uint32_t& result) const {
    if (value.isFloat || value.magnitude > (value.negative ? Int32MinMagnitude : Uint32Max))
        return false;
    result = static_cast<uint32_t>(value.negative ? 0 - value.magnitude : value.magnitude);
    return true;
}

bool FrameLine::trackerNumber(Member member, const Number& value) {
    const double number = value.isFloat    ? value.real
                          : value.negative ? -static_cast<double>(value.magnitude)
                                           : static_cast<double>(value.magnitude);
    float* field = member == Member::Roll    ? &reading.roll
                   : member == Member::Pitch ? &reading.pitch
                   : member == Member::Yaw   ? &reading.yaw
                   : member == Member::X     ? &reading.x
                   : member == Member::Y     ? &reading.y
                                             : &reading.z;
    return finiteFloat(number, *field);
}

bool FrameLine::number(const Number& value) {
    const In in = depth ? stack[depth - 1] : In::Nothing;
    const Member member = pending;
    pending = Member::None;
    uint64_t integer = 0;
    uint32_t result = 0;
    switch (in) {
    case In::Line:
        if (member == Member::Frame && unsignedMember(value, MaxFrame, integer)) {
            frame->number = static_cast<uint32_t>(integer);
            return true;
        }
        if (member == Member::Ticks && unsignedMember(value, Uint32Max, integer)) {
            frame->ticks.push_back(static_cast<uint32_t>(integer));
            return true;
        }
        return false;
    case In::Ticks:
        if (!unsignedMember(value, Uint32Max, integer))
            return false;
        frame->ticks.push_back(static_cast<uint32_t>(integer));
        return true;
    case In::Fetch:
        if ((member != Member::Poll && member != Member::Result) || !word(value, result))
            return false;
        (member == Member::Poll ? fetch->poll : fetch->result) = static_cast<DirectInput::HResult>(result);
        return true;
    case In::Record:
        if (recordFields == 1 ? !word(value, result) : !unsignedMember(value, Uint32Max, integer))
            return false;
        if (recordFields == 0)
            record.ofs = static_cast<uint32_t>(integer);
        else if (recordFields == 1)
            record.data = result;
        else if (recordFields == 2)
            record.timeStamp = static_cast<uint32_t>(integer);
        else
            return false;
        ++recordFields;
        return true;
    case In::Tracker:
        if (member == Member::Result) {
            if (!word(value, result))
                return false;
            frame->tracker->result = static_cast<NPClient::Result>(result);
            return true;
        }
        if (member == Member::Status || member == Member::Signature) {
            if (!unsignedMember(value, Uint16Max, integer))
                return false;
            (member == Member::Status ? reading.status : reading.frameSignature) = static_cast<uint16_t>(integer);
            return true;
        }
        return member != Member::None && trackerNumber(member, value);
    default:
        return false;
    }
}

} // namespace Session
