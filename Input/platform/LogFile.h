#ifndef VORLAN_PLATFORM_LOGFILE_H
#define VORLAN_PLATFORM_LOGFILE_H

#include <cstddef>
#include <string>

namespace Platform {

// The log's files, written as text: on Windows each "\n" reaches the disk as
// "\r\n". Neither call reports failure; a file that cannot be opened (its
// folder is missing, say) is left alone and the bytes are lost.

// Creates the file, or empties it if it exists.
void emptyLogFile(const std::string& path);

// Appends the bytes to the file, creating it if it is missing, with one open,
// write and close: the file is complete and closed on return.
void appendToLogFile(const std::string& path, const char* bytes, size_t size);

} // namespace Platform

#endif
