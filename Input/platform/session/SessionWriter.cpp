#include "platform/session/SessionWriter.h"

#include "platform/session/GuidText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <cstring>

namespace Session {

namespace {

// Members in the order written; floats printed as the shortest text that reads
// back as the same float.
using Line = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, int64_t, uint64_t, float>;

void putNonZero(Line& line, const char* name, uint32_t value) {
    if (value != 0)
        line[name] = value;
}

void putResult(Line& line, const char* name, int32_t result) {
    if (result != 0)
        line[name] = result;
}

// A text as written: a string when it is UTF-8, else {"bytes":"HEX"} (names in
// the system's code page), which reads back to the same bytes.
Line text(const std::string& bytes) {
    Line line = bytes;
    try {
        line.dump();
        return line;
    } catch (const nlohmann::json::type_error&) {
        return Line{{"bytes", formatHexBytes(bytes)}};
    }
}

// A reading as written: a float read back to the same value, or the name of
// a value that JSON numbers cannot hold.
Line number(float value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    return value;
}

Line caps(const DirectInput::DeviceCaps& caps, uint32_t devType) {
    Line line = Line::object();
    putNonZero(line, "flags", caps.flags);
    if (caps.devType != devType)
        line["devType"] = caps.devType;
    putNonZero(line, "axes", caps.axes);
    putNonZero(line, "buttons", caps.buttons);
    putNonZero(line, "povs", caps.povs);
    putNonZero(line, "ffSamplePeriod", caps.ffSamplePeriod);
    putNonZero(line, "ffMinTimeResolution", caps.ffMinTimeResolution);
    putNonZero(line, "firmwareRevision", caps.firmwareRevision);
    putNonZero(line, "hardwareRevision", caps.hardwareRevision);
    putNonZero(line, "ffDriverVersion", caps.ffDriverVersion);
    return line;
}

Line object(const DirectInput::ObjectInstance& object) {
    Line line;
    line["guid"] = formatGuid(object.guidType);
    line["ofs"] = object.ofs;
    line["type"] = object.type;
    putNonZero(line, "flags", object.flags);
    line["name"] = text(object.name);
    return line;
}

Line fetch(const Fetch& fetch) {
    Line line = Line::object();
    putResult(line, "poll", fetch.poll);
    putResult(line, "result", fetch.result);
    if (!fetch.records.empty()) {
        Line& records = line["data"] = Line::array();
        for (const DirectInput::DeviceObjectData& record : fetch.records)
            records.push_back(Line{record.ofs, static_cast<int32_t>(record.data), record.timeStamp});
    }
    if (fetch.state) {
        Line& state = line["state"] = Line::object();
        putResult(state, "result", fetch.state->result);
        if (!fetch.state->values.empty()) {
            Line& values = state["values"] = Line::array();
            for (const auto& [offset, value] : fetch.state->values)
                values.push_back(Line{offset, static_cast<int32_t>(value)});
        }
    }
    return line;
}

Line reading(const TrackerReading& reading) {
    Line line = Line::object();
    if (reading.result != NPClient::Success) {
        line["result"] = reading.result;
        return line;
    }
    const NPClient::DataFrame& frame = reading.frame;
    line["status"] = frame.status;
    line["signature"] = frame.frameSignature;
    line["roll"] = number(frame.roll);
    line["pitch"] = number(frame.pitch);
    line["yaw"] = number(frame.yaw);
    line["x"] = number(frame.x);
    line["y"] = number(frame.y);
    line["z"] = number(frame.z);
    return line;
}

} // namespace

bool Writer::open(const std::string& path, std::string& error) {
    this->path = path;
    out.open(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = path + ": cannot be written (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

void Writer::write(const std::string& line) {
    if (!failed.empty())
        return;
    out << line << '\n';
    out.flush();
    if (!out)
        failed = path + ": cannot be written (" + std::strerror(errno) + ")";
}

void Writer::header() {
    Line line;
    line["format"] = FormatName;
    line["version"] = FormatVersion;
    write(line.dump());
}

void Writer::device(const DeclaredDevice& device) {
    const DirectInput::DeviceInstance& instance = device.instance;
    Line line;
    line["device"] = device.id;
    line["instance"] = formatGuid(instance.guidInstance);
    line["product"] = formatGuid(instance.guidProduct);
    line["type"] = instance.devType;
    line["name"] = text(instance.instanceName);
    line["productName"] = text(instance.productName);
    if (instance.guidFFDriver != DirectInput::Guid())
        line["ffDriver"] = formatGuid(instance.guidFFDriver);
    putNonZero(line, "usagePage", instance.usagePage);
    putNonZero(line, "usage", instance.usage);
    line["caps"] = caps(device.caps, instance.devType);
    Line& objects = line["objects"] = Line::array();
    for (const DirectInput::ObjectInstance& o : device.objects)
        objects.push_back(object(o));
    putResult(line, "create", device.create);
    write(line.dump());
}

void Writer::tracker(const TrackerSetup& setup) {
    Line fields = Line::object();
    if (!setup.folder.empty())
        fields["folder"] = text(setup.folder);
    if (setup.location == NPClient::Location::ValueUnreadable)
        fields["location"] = "unreadable";
    putNonZero(fields, "version", setup.version);
    if (!setup.results.empty()) {
        Line& results = fields["results"] = Line::object();
        for (const auto& [call, result] : setup.results)
            results[call] = result;
    }
    Line line;
    line["headTracker"] = fields;
    write(line.dump());
}

void Writer::frame(const Frame& frame, const std::vector<DeclaredDevice>& devices) {
    if (frame.number > MaxFrame) {
        if (failed.empty())
            failed = path + ": the session is longer than " + std::to_string(MaxFrame) +
                      " frames; the later frames are not recorded";
        return;
    }
    Line line;
    line["frame"] = frame.number;
    if (!frame.fetches.empty()) {
        Line& fetches = line["devices"] = Line::object();
        for (const auto& [index, f] : frame.fetches)
            fetches[devices[index].id] = fetch(f);
    }
    if (frame.tracker)
        line["headTracker"] = reading(*frame.tracker);
    // One number when every reading agrees.
    const std::vector<uint32_t>& ticks = frame.ticks;
    if (std::adjacent_find(ticks.begin(), ticks.end(), std::not_equal_to<>()) != ticks.end())
        line["ticks"] = ticks;
    else if (!ticks.empty())
        line["ticks"] = ticks.front();
    write(line.dump());
}

} // namespace Session
