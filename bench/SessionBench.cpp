#include "platform/session/Replay.h"
#include "platform/session/SessionReader.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// A replay of a ten-minute session against a plain per-line parse of the same
// file with nlohmann/json. The session has a keyboard, a mouse, a stick and a
// head tracker; every frame the stick's axes and the tracker move, the slider,
// buttons, hat, mouse and keys now and then, about 300 bytes a frame.

namespace {

constexpr int Frames = 36000;  // ten minutes at 60 frames a second

const char* const head = R"({"format":"vorlan-session","version":2}
{"device":"keyboard","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000","type":1043,"name":"Keyboard","caps":{"flags":1,"buttons":128}}
{"device":"mouse","instance":"6F1D2B60-D5A0-11CF-BFC7-444553540000","type":274,"name":"Mouse","caps":{"flags":1,"axes":3,"buttons":3}}
{"device":"stick","instance":"5E2A9C10-7B41-11EF-8001-444553540000","type":66068,"name":"Flight Stick","caps":{"flags":1,"axes":4,"buttons":5,"povs":1}}
{"headTracker":{"version":1280}}
)";

std::string frameLine(int n) {
    const int t = 1000 + n * 16;
    auto record = [t](int offset, long long data) {
        return "[" + std::to_string(offset) + "," + std::to_string(data) + "," + std::to_string(t) + "]";
    };
    std::string stick = record(0, std::llround(9e8 * std::sin(n / 97.0))) + "," +
                        record(4, std::llround(6e8 * std::sin(n / 61.0)));
    if (n % 2 == 0)
        stick += "," + record(20, std::llround(3e8 * std::sin(n / 300.0)));
    if (n % 10 == 0)
        stick += "," + record(24, std::llround(1e9 * std::cos(n / 5000.0)));
    if (n % 300 == 0 || n % 300 == 20)
        stick += "," + record(48, n % 300 == 0 ? 128 : 0);
    if (n % 600 == 0 || n % 600 == 30)
        stick += "," + record(32, n % 600 == 0 ? 9000 * (n / 600 % 4) : 4294967295LL);
    std::string devices = "\"stick\":{\"data\":[" + stick + "]}";
    if (n % 120 == 0 || n % 120 == 5)
        devices += ",\"keyboard\":{\"data\":[" + record(34, n % 120 == 0 ? 128 : 0) + "]}";
    if (n % 5 == 0)
        devices += ",\"mouse\":{\"data\":[" + record(0, n / 5 % 7 - 3) + "," + record(4, n / 5 % 9 - 4) + "]}";
    char tracker[96];
    std::snprintf(tracker, sizeof tracker, "{\"signature\":%d,\"yaw\":%.1f,\"pitch\":%.1f}", n % 65536,
                  4000 * std::sin(n / 800.0), 1500 * std::sin(n / 450.0));
    return "{\"frame\":" + std::to_string(n) + ",\"devices\":{" + devices + "},\"headTracker\":" + tracker +
           ",\"ticks\":" + std::to_string(t) + "}\n";
}

// The session, written once into the system's temporary folder and removed at exit.
struct SessionFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vorlan-bench-session-" + std::to_string(getpid()) + ".jsonl");
    SessionFile() {
        std::ofstream out(path, std::ios::binary);
        out << head;
        for (int n = 1; n <= Frames; ++n)
            out << frameLine(n);
    }
    ~SessionFile() { std::filesystem::remove(path); }
};

std::string sessionPath() {
    static const SessionFile file;
    return file.path.string();
}

void BM_SessionParsedPerLine(benchmark::State& state) {
    const std::string path = sessionPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            benchmark::DoNotOptimize(nlohmann::json::parse(line));
    }
}

// A replay as the library makes it: the session checked whole, then read
// again as every frame is answered: each device polled and fetched, the head
// tracker read, the clock read.
void BM_SessionReplayed(benchmark::State& state) {
    const std::string path = sessionPath();
    DirectInput::DeviceObjectData records[64];
    for (auto _ : state) {
        std::string error;
        Session::SessionReader reader(path);
        if (!Session::checkSession(path, error) || !reader.readHead()) {
            state.SkipWithError(error.c_str());
            return;
        }
        Session::Replay replay(std::move(reader));
        NPClient::DataFrame tracker;
        while (!replay.finished()) {
            replay.advance();
            for (size_t device = 0; device < replay.devices().size(); ++device) {
                uint32_t count = 64;
                benchmark::DoNotOptimize(replay.poll(device));
                benchmark::DoNotOptimize(replay.fetch(device, records, count));
            }
            benchmark::DoNotOptimize(replay.trackerData(tracker));
            benchmark::DoNotOptimize(replay.ticks());
        }
    }
}

} // namespace

BENCHMARK(BM_SessionParsedPerLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionReplayed)->Unit(benchmark::kMillisecond);
