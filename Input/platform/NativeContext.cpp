#include "platform/NativeContext.h"

#include "platform/Clock.h"
#include "platform/directinput/Native.h"
#include "platform/directinput/ResultCodes.h"

namespace Platform {

namespace {

class NativeContext final : public Context {
public:
    explicit NativeContext(std::unique_ptr<DirectInput::System> system)
        : system(std::move(system)), client(NPClient::createNativeClient()) {}

    DirectInput::System& directInput() override { return *system; }
    NPClient::Client& headTracker() override { return *client; }
    uint32_t ticks() override { return tickCount(); }
    void beginFrame() override {}
    bool replayFinished() const override { return false; }

private:
    std::unique_ptr<DirectInput::System> system;
    std::unique_ptr<NPClient::Client> client;
};

} // namespace

DirectInput::HResult createNativeContext(std::unique_ptr<Context>& context, std::string& failure) {
    context.reset();
    std::unique_ptr<DirectInput::System> system;
    const DirectInput::HResult result = DirectInput::createNative(system);
    if (result == DirectInput::DIERR_UNSUPPORTED)
        failure = "no DirectInput here, set VORLAN_REPLAY=FILE to replay a session file";
    if (system)
        context = std::make_unique<NativeContext>(std::move(system));
    return result;
}

} // namespace Platform
