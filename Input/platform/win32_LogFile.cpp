#include "platform/LogFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

namespace Platform {

namespace {

// Text mode turns "\n" into "\r\n", as a text stream does.
constexpr int textFlags = _O_WRONLY | _O_CREAT | _O_TEXT;
constexpr int newFileMode = _S_IREAD | _S_IWRITE;

} // namespace

void emptyLogFile(const std::string& path) {
    const int file = _open(path.c_str(), textFlags | _O_TRUNC, newFileMode);
    if (file >= 0)
        _close(file);
}

// _write takes an unsigned count and reports the bytes it took before the
// translation; a short write is continued until the disk takes no more.
void appendToLogFile(const std::string& path, const char* bytes, size_t size) {
    const int file = _open(path.c_str(), textFlags | _O_APPEND, newFileMode);
    if (file < 0)
        return;
    while (size > 0) {
        const unsigned chunk = static_cast<unsigned>(std::min<size_t>(size, INT_MAX));
        const int written = _write(file, bytes, chunk);
        if (written <= 0)
            break;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    _close(file);
}

} // namespace Platform
