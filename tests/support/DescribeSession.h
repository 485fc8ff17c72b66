#ifndef VORLAN_TESTS_DESCRIBESESSION_H
#define VORLAN_TESTS_DESCRIBESESSION_H

#include "platform/session/SessionData.h"

#include <cstring>
#include <sstream>
#include <string>

// A session's frames as text, every field, the tracker's readings by their
// bits (so that NaN and -0 compare too).
inline std::string describe(const Session::Data& data) {
    std::ostringstream out;
    for (const Session::Frame& frame : data.frames) {
        out << "frame " << frame.number;
        for (const auto& [device, fetch] : frame.fetches) {
            out << " | " << device << ' ' << fetch.poll << ' ' << fetch.result;
            for (const auto& record : fetch.records)
                out << " (" << record.ofs << ',' << record.data << ',' << record.timeStamp << ')';
            if (fetch.state) {
                out << " state " << fetch.state->result;
                for (const auto& [offset, value] : fetch.state->values)
                    out << ' ' << offset << '=' << value;
            }
        }
        if (frame.tracker) {
            const NPClient::DataFrame& reading = frame.tracker->frame;
            out << " | tracker " << frame.tracker->result << ' ' << reading.status << ' ' << reading.frameSignature;
            for (float value : {reading.roll, reading.pitch, reading.yaw, reading.x, reading.y, reading.z}) {
                uint32_t bits;
                std::memcpy(&bits, &value, sizeof bits);
                out << ' ' << std::hex << bits << std::dec;
            }
        }
        for (uint32_t reading : frame.ticks)
            out << " @" << reading;
        out << '\n';
    }
    return out.str();
}

#endif
