#include "platform/session/SessionReader.h"

#include "platform/directinput/JoystickState.h"
#include "platform/session/FrameLine.h"
#include "platform/session/GuidText.h"
#include "platform/session/JsonMembers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <vector>

namespace Session {

namespace {

constexpr int64_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t Uint16Max = std::numeric_limits<uint16_t>::max();
constexpr int64_t Uint32Max = std::numeric_limits<uint32_t>::max();

// A 32-bit word written signed or unsigned: a result code, a record's data.
uint32_t word(const Json& value, const std::string& path) {
    return static_cast<uint32_t>(integerValue(value, path, Int32Min, Uint32Max));
}

DirectInput::HResult resultCode(Members& members, const char* name) {
    const Json* value = members.find(name);
    return value ? static_cast<DirectInput::HResult>(word(*value, members.pathOf(name))) : 0;
}

uint32_t unsigned32(Members& members, const char* name, uint32_t fallback) {
    return static_cast<uint32_t>(members.integer(name, 0, Uint32Max, fallback));
}

uint16_t unsigned16(Members& members, const char* name, uint16_t fallback) {
    return static_cast<uint16_t>(members.integer(name, 0, Uint16Max, fallback));
}

const Json& arrayValue(const Json& value, const std::string& path) {
    if (!value.is_array())
        throw BadLine(path + ": expected an array");
    return value;
}

// The set-up calls of the head-tracker client that a session may give a result.
bool isTrackerCall(const std::string& name) {
    static const char* const calls[] = {"load", "registerWindowHandle", "unregisterWindowHandle",
                                        "registerProgramProfileID", "queryVersion", "requestData",
                                        "startCursor", "stopCursor", "reCenter", "startDataTransmission",
                                        "stopDataTransmission"};
    for (const char* call : calls)
        if (name == call)
            return true;
    return false;
}

// How a line ends when read: normally, at the end of the file without a line
// feed, or too long to take.
enum class LineEnd { Feed, EndOfFile, TooLong };

// The lines of a stream, read a block at a time.
class LineSource {
public:
    explicit LineSource(std::istream& in) : buffer(*in.rdbuf()) {}

    // Reads one line without its line feed (and carriage return), at most
    // MaxLineLength bytes. The file buffer throws when the system refuses a
    // read (a folder, an I/O error); errno then holds the system's reason.
    LineEnd next(std::string& line) {
        line.clear();
        for (;;) {
            if (begin == end) {
                begin = 0;
                end = static_cast<size_t>(buffer.sgetn(block.data(), static_cast<std::streamsize>(block.size())));
                if (end == 0)
                    return LineEnd::EndOfFile;
                if (kept)
                    kept->append(block.data(), end);
            }
            const char* start = block.data() + begin;
            const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - begin));
            const size_t length = feed ? static_cast<size_t>(feed - start) : end - begin;
            if (line.size() + length > MaxLineLength)
                return LineEnd::TooLong;
            line.append(start, length);
            begin += length;
            if (feed) {
                ++begin;
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return LineEnd::Feed;
            }
        }
    }

    // Keeps every byte read from now on in text.
    void keep(std::string& text) { kept = &text; }

private:
    std::streambuf& buffer;
    std::string* kept = nullptr;
    std::vector<char> block = std::vector<char>(1 << 16);
    size_t begin = 0;
    size_t end = 0;
};

bool isBlank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

// Session lines nest a few levels; deeper values are refused before parsing,
// since printing or comparing them recurses once per level.
constexpr int MaxNesting = 32;

bool nestsTooDeep(const std::string& line) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > MaxNesting)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// Turns the lines of one session, in order, into its head and its frames.
class Reader {
public:
    // The line as a frame line of the usual shape, read the quick way; false
    // when it is not one, which the caller then gives to take().
    bool takeQuickly(const std::string& line, Frame& frame) {
        if (!headerSeen || !quick.read(line, lastFrame, frame, trackerFrame))
            return false;
        lastFrame = frame.number;
        return true;
    }

    // True when the line was a frame's, then read into frame.
    bool take(const Json& line, Frame& frame) {
        if (!line.is_object())
            throw BadLine("expected a JSON object, got " + line.dump().substr(0, 40));
        if (!headerSeen)
            header(line);
        else if (line.contains("frame"))
            return this->frame(line, frame);
        else if (line.contains("device"))
            device(line);
        else if (line.contains("headTracker"))
            tracker(line);
        else if (line.contains("format"))
            throw BadLine("a second header line");
        else
            throw BadLine("neither a device, a head-tracker nor a frame line (no member \"device\", \"headTracker\" or \"frame\")");
        return false;
    }

    bool started() const { return headerSeen; }
    const Head& head() const { return data; }

private:
    void header(const Json& line) {
        Members members(line, "");
        const Json* format = members.find("format");
        if (!format || *format != FormatName)
            throw BadLine(std::string("not a session file: the first line must be {\"format\":\"") + FormatName +
                          "\",\"version\":" + std::to_string(FormatVersion) + "}");
        const Json& version = members.required("version");
        if (!version.is_number_integer())
            throw BadLine("version: expected an integer, got " + version.dump().substr(0, 40));
        const bool newer = version.is_number_unsigned() ? version.get<uint64_t>() > FormatVersion
                                                        : version.get<int64_t>() > FormatVersion;
        if (newer)
            throw BadLine("format version " + version.dump() + " is newer than this library reads (" +
                          std::to_string(FormatVersion) + ")");
        if (version.get<int64_t>() < 1)
            throw BadLine("unknown format version " + version.dump());
        members.finish();
        headerSeen = true;
    }

    void beforeFrames(const char* what) const {
        if (lastFrame)
            throw BadLine(std::string(what) + " lines come before the first frame");
    }

    void device(const Json& line) {
        beforeFrames("device");
        Members members(line, "");
        DeclaredDevice device;
        device.id = members.requiredString("device");
        if (device.id.empty())
            throw BadLine("device: expected a non-empty id");
        if (ids.count(device.id))
            throw BadLine("the device \"" + device.id + "\" is declared twice");
        DirectInput::DeviceInstance& instance = device.instance;
        instance.guidInstance = members.requiredGuid("instance");
        const auto other = instances.find(instance.guidInstance);
        if (other != instances.end())
            throw BadLine("instance: " + formatGuid(instance.guidInstance) + " is the device \"" +
                          data.devices[other->second].id + "\"'s already");
        instance.guidProduct = members.guid("product", DirectInput::Guid());
        instance.devType = static_cast<uint32_t>(members.requiredInteger("type", 0, Uint32Max));
        instance.instanceName = members.requiredString("name");
        instance.productName = members.string("productName", instance.instanceName);
        instance.guidFFDriver = members.guid("ffDriver", DirectInput::Guid());
        instance.usagePage = unsigned16(members, "usagePage", 0);
        instance.usage = unsigned16(members, "usage", 0);
        device.caps.devType = instance.devType;
        if (const Json* caps = members.find("caps"))
            readCaps(*caps, device.caps);
        if (const Json* objects = members.find("objects")) {
            const std::string path = members.pathOf("objects");
            for (const Json& object : arrayValue(*objects, path))
                device.objects.push_back(readObject(object, path + "[" + std::to_string(device.objects.size()) + "]"));
        }
        device.create = resultCode(members, "create");
        members.finish();
        ids[device.id] = data.devices.size();
        instances[instance.guidInstance] = data.devices.size();
        data.devices.push_back(std::move(device));
    }

    static void readCaps(const Json& value, DirectInput::DeviceCaps& caps) {
        Members members(value, "caps");
        caps.flags = unsigned32(members, "flags", 0);
        caps.devType = unsigned32(members, "devType", caps.devType);
        caps.axes = unsigned32(members, "axes", 0);
        caps.buttons = unsigned32(members, "buttons", 0);
        caps.povs = unsigned32(members, "povs", 0);
        caps.ffSamplePeriod = unsigned32(members, "ffSamplePeriod", 0);
        caps.ffMinTimeResolution = unsigned32(members, "ffMinTimeResolution", 0);
        caps.firmwareRevision = unsigned32(members, "firmwareRevision", 0);
        caps.hardwareRevision = unsigned32(members, "hardwareRevision", 0);
        caps.ffDriverVersion = unsigned32(members, "ffDriverVersion", 0);
        members.finish();
    }

    static DirectInput::ObjectInstance readObject(const Json& value, const std::string& path) {
        Members members(value, path);
        DirectInput::ObjectInstance object;
        object.guidType = members.guid("guid", DirectInput::Guid());
        object.ofs = static_cast<uint32_t>(members.requiredInteger("ofs", 0, Uint32Max));
        object.type = static_cast<uint32_t>(members.requiredInteger("type", 0, Uint32Max));
        object.flags = unsigned32(members, "flags", 0);
        object.name = members.string("name", "");
        members.finish();
        return object;
    }

    void tracker(const Json& line) {
        beforeFrames("head-tracker");
        if (data.tracker)
            throw BadLine("a second head-tracker line");
        Members members(line, "");
        Members fields(members.required("headTracker"), "headTracker");
        members.finish();
        TrackerSetup setup;
        setup.folder = fields.string("folder", "");
        const std::string location = fields.string("location", "found");
        if (location == "unreadable")
            setup.location = NPClient::Location::ValueUnreadable;
        else if (location != "found")
            throw BadLine("headTracker.location: expected \"found\" or \"unreadable\", got \"" + location + "\"");
        setup.version = unsigned16(fields, "version", 0);
        if (const Json* results = fields.find("results")) {
            Members calls(*results, "headTracker.results");
            for (const auto& call : results->items()) {
                if (!isTrackerCall(call.key()))
                    throw BadLine("headTracker.results: no set-up call is named \"" + call.key() + "\"");
                setup.results[call.key()] = static_cast<NPClient::Result>(word(call.value(), calls.pathOf(call.key().c_str())));
            }
        }
        fields.finish();
        data.tracker = std::move(setup);
    }

    bool frame(const Json& line, Frame& frame) {
        Members members(line, "");
        frame = Frame();
        frame.number = static_cast<uint32_t>(members.requiredInteger("frame", 0, MaxFrame));
        if (lastFrame && frame.number <= *lastFrame)
            throw BadLine("frame " + std::to_string(frame.number) + " comes after frame " +
                          std::to_string(*lastFrame));
        if (const Json* devices = members.find("devices")) {
            Members named(*devices, "devices");
            for (const auto& entry : devices->items()) {
                const auto id = ids.find(entry.key());
                if (id == ids.end())
                    throw BadLine("frame " + std::to_string(frame.number) + " names the device \"" + entry.key() +
                                  "\", which the session does not declare");
                frame.fetches[id->second] = readFetch(entry.value(), named.pathOf(entry.key().c_str()));
            }
        }
        if (const Json* reading = members.find("headTracker"))
            frame.tracker = readTracker(*reading);
        if (const Json* ticks = members.find("ticks"))
            frame.ticks = readTicks(*ticks);
        members.finish();
        lastFrame = frame.number;
        return true;
    }

    static Fetch readFetch(const Json& value, const std::string& path) {
        Members members(value, path);
        Fetch fetch;
        fetch.poll = resultCode(members, "poll");
        fetch.result = resultCode(members, "result");
        if (const Json* state = members.find("state"))
            fetch.state = readState(*state, members.pathOf("state"));
        if (const Json* records = members.find("data")) {
            const std::string dataPath = members.pathOf("data");
            for (const Json& record : arrayValue(*records, dataPath))
                fetch.records.push_back(readRecord(record, dataPath + "[" + std::to_string(fetch.records.size()) + "]"));
            if (!fetch.records.empty() && (DirectInput::failed(fetch.poll) || DirectInput::failed(fetch.result)))
                throw BadLine(dataPath + ": records from a failing " + (DirectInput::failed(fetch.poll) ? "poll" : "fetch"));
        }
        members.finish();
        return fetch;
    }

    // One reading, or several in order.
    static std::vector<uint32_t> readTicks(const Json& value) {
        std::vector<uint32_t> ticks;
        if (!value.is_array())
            ticks.push_back(static_cast<uint32_t>(integerValue(value, "ticks", 0, Uint32Max)));
        else
            for (const Json& reading : value)
                ticks.push_back(static_cast<uint32_t>(
                    integerValue(reading, "ticks[" + std::to_string(ticks.size()) + "]", 0, Uint32Max)));
        if (ticks.empty())
            throw BadLine("ticks: expected a reading, got []");
        return ticks;
    }

    static DeviceState readState(const Json& value, const std::string& path) {
        Members members(value, path);
        DeviceState state;
        state.result = resultCode(members, "result");
        if (const Json* values = members.find("values")) {
            const std::string valuesPath = members.pathOf("values");
            if (DirectInput::failed(state.result) && !arrayValue(*values, valuesPath).empty())
                throw BadLine(valuesPath + ": values from a failing GetDeviceState");
            for (const Json& pair : arrayValue(*values, valuesPath))
                readStateValue(pair, valuesPath + "[" + std::to_string(state.values.size()) + "]", state);
        }
        members.finish();
        return state;
    }

    static void readStateValue(const Json& value, const std::string& path, DeviceState& state) {
        using DirectInput::JoystickField;
        if (!value.is_array() || value.size() != 2)
            throw BadLine(path + ": expected [offset, value], got " + value.dump().substr(0, 40));
        const uint32_t offset = static_cast<uint32_t>(integerValue(value[0], path + "[0]", 0, Uint32Max));
        const JoystickField field = DirectInput::joystickField(offset);
        if (field == JoystickField::None)
            throw BadLine(path + "[0]: " + std::to_string(offset) + " is no axis, hat or button of the joystick state");
        if (state.values.count(offset))
            throw BadLine(path + "[0]: the offset " + std::to_string(offset) + " is given twice");
        state.values[offset] = field == JoystickField::Button
                                   ? static_cast<uint32_t>(integerValue(value[1], path + "[1]", 0, 255))
                                   : word(value[1], path + "[1]");
    }

    static DirectInput::DeviceObjectData readRecord(const Json& value, const std::string& path) {
        if (!value.is_array() || value.size() != 3)
            throw BadLine(path + ": expected [offset, data, time], got " + value.dump().substr(0, 40));
        DirectInput::DeviceObjectData record;
        record.ofs = static_cast<uint32_t>(integerValue(value[0], path + "[0]", 0, Uint32Max));
        record.data = word(value[1], path + "[1]");
        record.timeStamp = static_cast<uint32_t>(integerValue(value[2], path + "[2]", 0, Uint32Max));
        return record;
    }

    TrackerReading readTracker(const Json& value) {
        if (!data.tracker)
            throw BadLine("headTracker: the session declares no head tracker");
        Members members(value, "headTracker");
        TrackerReading reading;
        reading.result = static_cast<NPClient::Result>(resultCode(members, "result"));
        NPClient::DataFrame& frame = trackerFrame;
        frame.status = unsigned16(members, "status", frame.status);
        frame.frameSignature = unsigned16(members, "signature", frame.frameSignature);
        frame.roll = members.number("roll", frame.roll);
        frame.pitch = members.number("pitch", frame.pitch);
        frame.yaw = members.number("yaw", frame.yaw);
        frame.x = members.number("x", frame.x);
        frame.y = members.number("y", frame.y);
        frame.z = members.number("z", frame.z);
        members.finish();
        reading.frame = frame;
        return reading;
    }

    Head data;
    bool headerSeen = false;
    std::optional<uint32_t> lastFrame;  // the number of the last frame read
    std::map<std::string, size_t> ids;
    std::map<DirectInput::Guid, size_t> instances;
    NPClient::DataFrame trackerFrame;  // the tracker's last frame, which members left out keep
    FrameLine quick{ids, data.tracker};
};

// Where the parser stopped in a line that is not JSON.
std::string notJson(const Json::parse_error& error, const std::string& line, LineEnd end) {
    if (error.byte > line.size())
        return end == LineEnd::EndOfFile ? "cut short: the file ends inside this line" : "not JSON: the line ends inside a value";
    return "not JSON (column " + std::to_string(error.byte) + ")";
}

// A parser callback that keeps the names of the members being parsed, one per
// level of nesting ("" for an array's), so that a fault the parser meets is
// reported with its member.
Json::parser_callback_t memberTracker(std::vector<std::string>& keys) {
    return [&keys](int depth, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::key) {
            keys.resize(static_cast<size_t>(depth - 1));
            keys.push_back(parsed.get<std::string>());
        }
        return true;
    };
}

std::string joined(const std::vector<std::string>& keys) {
    std::string path;
    for (const std::string& key : keys)
        if (!key.empty())
            path += (path.empty() ? "" : ".") + key;
    return path.empty() ? "line" : path;
}

// The JSON library's message without its "[json.exception.name.id] ".
std::string withoutId(const std::string& message) {
    const size_t end = message.find("] ");
    return end == std::string::npos ? message : message.substr(end + 2);
}

// The text with its control characters written as escapes, so that a
// message that quotes a member's name or a device's id stays one line.
std::string oneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            line += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        line += escape;
    }
    return line;
}

} // namespace

// The lines of one session and what they have given so far.
class SessionReader::Lines {
public:
    // in is file's stream, or the caller's when file is null.
    Lines(std::unique_ptr<std::istream> file, std::istream& in, const std::string& path, FrameReading reading)
        : file(std::move(file)), source(in), path(path), quick(reading == FrameReading::Quick) {}

    // The file could not be opened, for that reason (an errno value): every
    // read fails with that.
    void cannotOpen(int reason) { fail(path + ": cannot be opened (" + std::strerror(reason) + ")"); }

    bool readHead() {
        Frame frame;
        if (readFrame(frame)) {
            first = std::move(frame);
            return true;
        }
        if (error.empty() && !reader.started())
            fail(path + ": empty file, not a session");
        return error.empty();
    }

    bool nextFrame(Frame& frame) {
        if (!first)
            return readFrame(frame);
        frame = std::move(*first);
        first.reset();
        return true;
    }

    const Head& head() const { return reader.head(); }
    const std::string& fault() const { return error; }
    void keep(std::string& text) { source.keep(text); }

private:
    // What one line gave.
    enum class Step { Frame, Other, End, Fault };

    // Reads lines up to the next frame's; false at the end or on a fault.
    bool readFrame(Frame& frame) {
        Step read;
        do
            read = step(frame);
        while (read == Step::Other);
        return read == Step::Frame;
    }

    Step step(Frame& frame) {
        if (ended || !error.empty())
            return error.empty() ? Step::End : Step::Fault;
        LineEnd end;
        try {
            end = source.next(line);
        } catch (const std::ios_base::failure&) {
            return fail(path + ": cannot be read (" + std::strerror(errno) + ")");
        }
        ended = end == LineEnd::EndOfFile;
        ++number;
        if (end == LineEnd::TooLong)
            return failHere("line longer than " + std::to_string(MaxLineLength) + " bytes");
        if (isBlank(line))
            return Step::Other;
        if (quick && reader.takeQuickly(line, frame))
            return Step::Frame;
        if (nestsTooDeep(line))
            return failHere("values nested deeper than " + std::to_string(MaxNesting) + " levels");
        std::vector<std::string> keys;  // the member being parsed, by depth
        try {
            return reader.take(Json::parse(line, memberTracker(keys)), frame) ? Step::Frame : Step::Other;
        } catch (const Json::parse_error& e) {
            return failHere(notJson(e, line, end));
        } catch (const Json::exception& e) {
            // A number beyond a double's range and other refusals of the parser.
            return failHere(joined(keys) + ": " + withoutId(e.what()));
        } catch (const BadLine& e) {
            return failHere(e.what());
        }
    }

    Step fail(const std::string& message) {
        error = oneLine(message);
        return Step::Fault;
    }
    Step failHere(const std::string& message) { return fail(path + ":" + std::to_string(number) + ": " + message); }

    std::unique_ptr<std::istream> file;
    LineSource source;
    std::string path;
    bool quick;
    Reader reader;
    std::string line;
    size_t number = 0;  // of the line read last
    bool ended = false;
    std::optional<Frame> first;  // read with the head
    std::string error;
};

SessionReader::SessionReader(const std::string& path, FrameReading reading) {
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    const int reason = errno;
    const bool opened = file->is_open();
    std::istream& in = *file;
    lines = std::make_unique<Lines>(std::move(file), in, path, reading);
    if (!opened)
        lines->cannotOpen(reason);
}

SessionReader::SessionReader(std::istream& in, const std::string& path, FrameReading reading)
    : lines(std::make_unique<Lines>(nullptr, in, path, reading)) {}
SessionReader::SessionReader(std::unique_ptr<std::istream> in, const std::string& path) {
    std::istream& stream = *in;
    lines = std::make_unique<Lines>(std::move(in), stream, path, FrameReading::Quick);
}
SessionReader::SessionReader(SessionReader&&) noexcept = default;
SessionReader::~SessionReader() = default;

bool SessionReader::readHead() { return lines->readHead(); }
const Head& SessionReader::head() const { return lines->head(); }
bool SessionReader::nextFrame(Frame& frame) { return lines->nextFrame(frame); }
void SessionReader::keepText(std::string& text) { lines->keep(text); }
const std::string& SessionReader::error() const { return lines->fault(); }

bool checkSession(const std::string& path, std::string& error, std::string* text) {
    SessionReader reader(path);
    if (text)
        reader.keepText(*text);
    if (reader.readHead())
        for (Frame frame; reader.nextFrame(frame);) {
        }
    error = reader.error();
    return error.empty();
}

namespace {

bool readAll(SessionReader& reader, Data& data, std::string& error) {
    Data read;
    bool whole = reader.readHead();
    if (whole) {
        static_cast<Head&>(read) = reader.head();
        for (Frame frame; reader.nextFrame(frame);)
            read.frames.push_back(std::move(frame));
        whole = reader.error().empty();
    }
    if (!whole) {
        error = reader.error();
        return false;
    }
    data = std::move(read);
    return true;
}

} // namespace

bool readSession(const std::string& path, Data& data, std::string& error, FrameReading reading) {
    SessionReader reader(path, reading);
    return readAll(reader, data, error);
}

bool readSession(std::istream& in, const std::string& path, Data& data, std::string& error, FrameReading reading) {
    SessionReader reader(in, path, reading);
    return readAll(reader, data, error);
}

} // namespace Session
