#include "platform/npclient/NativeClient.h"

namespace NPClient {

namespace {

// The client library as loaded in this process: its handle and one entry per
// client function, empty until resolved. A call through an empty entry
// answers NotAvailable.
class NativeClient final : public Client {
public:
    Location locate(std::string& folder) override { return Native::locate(folder); }

    Result load(const std::string& folder) override {
        void* opened = Native::open(folder);
        if (!opened)
            return NotAvailable;
        library = opened;
        resolve(functions.registerWindowHandle, "NP_RegisterWindowHandle");
        resolve(functions.unregisterWindowHandle, "NP_UnregisterWindowHandle");
        resolve(functions.registerProgramProfileID, "NP_RegisterProgramProfileID");
        resolve(functions.queryVersion, "NP_QueryVersion");
        resolve(functions.requestData, "NP_RequestData");
        resolve(functions.getData, "NP_GetData");
        resolve(functions.startCursor, "NP_StartCursor");
        resolve(functions.stopCursor, "NP_StopCursor");
        resolve(functions.reCenter, "NP_ReCenter");
        resolve(functions.startDataTransmission, "NP_StartDataTransmission");
        resolve(functions.stopDataTransmission, "NP_StopDataTransmission");
        return Success;
    }

    Result registerWindowHandle(void* window) override { return call(functions.registerWindowHandle, window); }
    Result unregisterWindowHandle() override { return call(functions.unregisterWindowHandle); }
    Result registerProgramProfileID(uint32_t id) override { return call(functions.registerProgramProfileID, id); }
    Result queryVersion(uint16_t& version) override { return call(functions.queryVersion, &version); }
    Result requestData(uint16_t mask) override { return call(functions.requestData, mask); }
    Result getData(DataFrame& frame) override { return call(functions.getData, &frame); }
    Result startCursor() override { return call(functions.startCursor); }
    Result stopCursor() override { return call(functions.stopCursor); }
    Result reCenter() override { return call(functions.reCenter); }
    Result startDataTransmission() override { return call(functions.startDataTransmission); }
    Result stopDataTransmission() override { return call(functions.stopDataTransmission); }

private:
    using NoArguments = int(VORLAN_NPCLIENT_CALL*)();
    // The profile id travels as one 32-bit argument; a client that declares it
    // 16 bits wide reads the same value from the low half.
    using ProfileID = int(VORLAN_NPCLIENT_CALL*)(uint32_t);

    template <typename Function>
    void resolve(Function& entry, const char* name) {
        entry = reinterpret_cast<Function>(Native::find(library, name));
    }

    template <typename Function, typename... Arguments>
    static Result call(Function entry, Arguments... arguments) {
        return entry ? entry(arguments...) : NotAvailable;
    }

    void* library = nullptr;
    struct {
        int(VORLAN_NPCLIENT_CALL* registerWindowHandle)(void* window) = nullptr;
        NoArguments unregisterWindowHandle = nullptr;
        ProfileID registerProgramProfileID = nullptr;
        int(VORLAN_NPCLIENT_CALL* queryVersion)(uint16_t* version) = nullptr;
        int(VORLAN_NPCLIENT_CALL* requestData)(uint16_t mask) = nullptr;
        int(VORLAN_NPCLIENT_CALL* getData)(DataFrame* frame) = nullptr;
        NoArguments startCursor = nullptr;
        NoArguments stopCursor = nullptr;
        NoArguments reCenter = nullptr;
        NoArguments startDataTransmission = nullptr;
        NoArguments stopDataTransmission = nullptr;
    } functions;
};

} // namespace

std::unique_ptr<Client> createNativeClient() { return std::make_unique<NativeClient>(); }

std::string Native::libraryPath(const std::string& folder, char separator, const char* file) {
    return folder.empty() ? std::string(file) : folder + separator + file;
}

} // namespace NPClient
