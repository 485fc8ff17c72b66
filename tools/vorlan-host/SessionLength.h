#ifndef VORLAN_HOST_SESSION_LENGTH_H
#define VORLAN_HOST_SESSION_LENGTH_H

#include <cstdint>
#include <string>

// The number of a session file's last frame: the frames it lasts. Called only
// on a session that the library has read and checked already; lines that are
// no frame lines are passed over.
uint32_t sessionLength(const std::string& path);

#endif
