#ifndef VORLAN_PLATFORM_NPCLIENT_NPCLIENT_H
#define VORLAN_PLATFORM_NPCLIENT_NPCLIENT_H

#include <cstdint>
#include <memory>
#include <string>

// The head tracker's client library (NPClient.dll, NPClient.so elsewhere) as
// the library sees it: a client, found, loaded, then called.
namespace NPClient {

// A client call's result: 0 success, 4 the function is not available (library
// not loaded or name not resolved), anything else the client's own error code.
using Result = int32_t;
constexpr Result Success = 0;
constexpr Result NotAvailable = 4;

// One frame as NP_GetData fills it (little-endian, 68 bytes).
struct DataFrame {
    uint16_t status = 0;          // 0 when the frame is valid
    uint16_t frameSignature = 0;  // changes with every new frame from the tracker
    uint32_t unused = 0;
    float roll = 0;
    float pitch = 0;
    float yaw = 0;
    float x = 0;
    float y = 0;
    float z = 0;
    float unusedValues[9] = {};
};
static_assert(sizeof(DataFrame) == 68, "NP_GetData fills exactly 68 bytes");

// What locate() found.
enum class Location {
    Found,            // folder holds the library's folder (possibly empty)
    KeyMissing,       // no location is configured
    ValueUnreadable,  // a location is configured but cannot be read
};

// The client library. Every call maps to the client function of
// the same name; a function that is not available answers NotAvailable
// without being called.
class Client {
public:
    virtual ~Client() = default;

    // Finds the folder of the client library. Windows: the registry key
    // "Software\NaturalPoint\NATURALPOINT\NPClient Location" of the current
    // user and its value "Path"; elsewhere the environment variable
    // VORLAN_NPCLIENT_PATH (unset: KeyMissing). folder is set only on Found.
    virtual Location locate(std::string& folder) = 0;

    // Loads the library from folder and resolves every client function by
    // name, replacing what an earlier load resolved; a name not found leaves
    // its function unavailable. Success, or NotAvailable when the library
    // cannot be loaded (the functions resolved before then stay as they were).
    // A loaded library is never unloaded.
    virtual Result load(const std::string& folder) = 0;

    virtual Result registerWindowHandle(void* window) = 0;       // NP_RegisterWindowHandle
    virtual Result unregisterWindowHandle() = 0;                 // NP_UnregisterWindowHandle
    virtual Result registerProgramProfileID(uint32_t id) = 0;    // NP_RegisterProgramProfileID
    virtual Result queryVersion(uint16_t& version) = 0;          // NP_QueryVersion
    virtual Result requestData(uint16_t mask) = 0;               // NP_RequestData
    virtual Result getData(DataFrame& frame) = 0;                // NP_GetData: fills frame on Success
    virtual Result startCursor() = 0;                            // NP_StartCursor
    virtual Result stopCursor() = 0;                             // NP_StopCursor
    virtual Result reCenter() = 0;                               // NP_ReCenter
    virtual Result startDataTransmission() = 0;                  // NP_StartDataTransmission
    virtual Result stopDataTransmission() = 0;                   // NP_StopDataTransmission
};

// The platform's own client, which finds and loads the real library.
std::unique_ptr<Client> createNativeClient();

} // namespace NPClient

#endif
