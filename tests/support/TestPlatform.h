#ifndef VORLAN_TESTS_TESTPLATFORM_H
#define VORLAN_TESTS_TESTPLATFORM_H

#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/directinput/fake/FakeDirectInput.h"

#include <memory>
#include <string>

// Platform contexts that tests build: the fake DirectInput, with the
// head-tracker client and the tick clock a test gives, or the platform's own.
namespace TestPlatform {

using Clock = uint32_t (*)();

class Context final : public Platform::Context {
public:
    // tracker: the test's client, which must outlive the context; nullptr for the native one.
    Context(std::unique_ptr<DirectInput::System> system, NPClient::Client* tracker, Clock clock)
        : system(std::move(system)),
          native(tracker ? nullptr : NPClient::createNativeClient()),
          tracker(tracker ? *tracker : *native),
          clock(clock) {}

    DirectInput::System& directInput() override { return *system; }
    NPClient::Client& headTracker() override { return tracker; }
    uint32_t ticks() override { return clock(); }
    void beginFrame() override {}
    bool replayFinished() const override { return false; }

private:
    std::unique_ptr<DirectInput::System> system;
    std::unique_ptr<NPClient::Client> native;
    NPClient::Client& tracker;
    Clock clock;
};

// Makes such contexts through the fake's DirectInput8Create, so that its
// rules and its journal see every one.
inline Platform::ContextMaker maker(DirectInput::FakeDirectInput& fake, NPClient::Client* tracker = nullptr,
                                    Clock clock = Platform::tickCount) {
    return [&fake, tracker, clock](std::unique_ptr<Platform::Context>& context, std::string&) {
        std::unique_ptr<DirectInput::System> system;
        const DirectInput::HResult result = fake.create(system);
        if (system)
            context = std::make_unique<Context>(std::move(system), tracker, clock);
        return result;
    };
}

// One such context, made at once; empty when the fake refuses DirectInput8Create.
inline std::unique_ptr<Platform::Context> make(DirectInput::FakeDirectInput& fake, NPClient::Client* tracker = nullptr,
                                               Clock clock = Platform::tickCount) {
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    maker(fake, tracker, clock)(context, failure);
    return context;
}

} // namespace TestPlatform

#endif
