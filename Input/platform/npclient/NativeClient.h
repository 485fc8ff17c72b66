#ifndef VORLAN_PLATFORM_NPCLIENT_NATIVECLIENT_H
#define VORLAN_PLATFORM_NPCLIENT_NATIVECLIENT_H

#include "platform/npclient/NPClient.h"

#include <string>

// The operating system's side of the native client: one implementation per OS.
namespace NPClient::Native {

// The client functions' calling convention: __stdcall on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define VORLAN_NPCLIENT_CALL __stdcall
#else
#define VORLAN_NPCLIENT_CALL
#endif

// An exported function as the loader returns it, cast to its type before use.
using Symbol = void (*)();

// The folder configured for the client library (see Client::locate).
Location locate(std::string& folder);

// Loads the client library from folder; nullptr when it cannot be loaded.
void* open(const std::string& folder);

// The function that library exports under name, or nullptr.
Symbol find(void* library, const char* name);

// folder, separator and file; just file when folder is empty. The separator
// is added even when folder already ends with one.
std::string libraryPath(const std::string& folder, char separator, const char* file);

} // namespace NPClient::Native

#endif
