#include "platform/LogFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Platform {

namespace {

constexpr mode_t newFileMode = 0666;  // narrowed by the umask

} // namespace

void emptyLogFile(const std::string& path) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, newFileMode);
    if (file >= 0)
        close(file);
}

// O_APPEND puts every write at the end without a seek of ours. A short write
// (a signal, a full disk) is continued until the disk takes no more.
void appendToLogFile(const std::string& path, const char* bytes, size_t size) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, newFileMode);
    if (file < 0)
        return;
    while (size > 0) {
        const ssize_t written = write(file, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    close(file);
}

} // namespace Platform
