#include "Vorlan.h"
#include "core/Log.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <string>

// One "Action added: " entry with a value, as the engine writes it for every
// action with logging on: through Log, and, as the reference, the way Log
// wrote it before it kept the entry in memory. Both write into a folder of
// their own under the system's temporary folder, removed after each run.

namespace {

struct LogFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vorlan-bench-log-" + std::to_string(getpid()));
    LogFolder() { std::filesystem::create_directories(path); }
    ~LogFolder() { std::filesystem::remove_all(path); }
};

// The entry as Log wrote it before: stream found by name and reopened, the
// head and every piece flushed on its own, the stream closed.
class FlushingLog {
public:
    FlushingLog(std::map<std::string, std::unique_ptr<std::ofstream>>& streams, const std::string& name)
        : fileName(name), stream(streams.at(fileName).get()) {
        stream->clear();
        stream->open(fileName, std::ios::out | std::ios::app);
        const Platform::LocalTime t = Platform::localTime();
        *stream << '\n' << std::setfill('0') << std::setw(4) << t.year << '.' << std::setw(2) << t.month << '.'
                << std::setw(2) << t.day << ' ' << std::setw(2) << t.hour << ':' << std::setw(2) << t.minute
                << ':' << std::setw(2) << t.second << ':' << std::setw(3) << t.millisecond << " \n";
        stream->flush();
    }
    ~FlushingLog() { stream->close(); }

    template <class T>
    FlushingLog& operator<<(const T& value) {
        *stream << value;
        stream->flush();
        return *this;
    }

private:
    std::string fileName;
    std::ofstream* stream;
};

void BM_LogEntry(benchmark::State& state) {
    LogFolder folder;
    Vorlan::setLogPath((folder.path / "log.txt").string());
    Vorlan::enableLogging(true, true, true);
    int32_t n = 0;
    for (auto _ : state) {
        ++n;
        Log() << "Action added: " << n << " value: " << -n * 1000;
    }
    Vorlan::enableLogging(false, false, false);
}

void BM_LogEntryFlushedPerPiece(benchmark::State& state) {
    LogFolder folder;
    const std::string file = (folder.path / "log.txt").string();
    std::map<std::string, std::unique_ptr<std::ofstream>> streams;
    streams.emplace(file, std::make_unique<std::ofstream>(file, std::ios::out | std::ios::trunc));
    streams[file]->close();
    int32_t n = 0;
    for (auto _ : state) {
        ++n;
        FlushingLog(streams, file) << "Action added: " << n << " value: " << -n * 1000;
    }
}

} // namespace

BENCHMARK(BM_LogEntry);
BENCHMARK(BM_LogEntryFlushedPerPiece);
