#include "platform/session/ReplayDirectInput.h"

#include "platform/directinput/Constants.h"
#include "platform/directinput/ObjectFilter.h"
#include "platform/directinput/ResultCodes.h"

#include <cstring>

namespace DirectInput {

namespace {

class ReplayEffect final : public Effect {
public:
    HResult setParameters(const EffectParameters& /*parameters*/, uint32_t /*flags*/) override { return DI_OK; }
    HResult start(uint32_t /*iterations*/, uint32_t /*flags*/) override { return DI_OK; }
    HResult stop() override { return DI_OK; }
};

class ReplayDevice final : public Device {
public:
    ReplayDevice(Session::Replay& replay, size_t index) : replay(replay), index(index) {}

    HResult getCapabilities(DeviceCaps& caps) override {
        const uint32_t size = caps.size;
        caps = declared().caps;
        caps.size = size;
        return DI_OK;
    }

    HResult setDataFormat(DataFormat format) override {
        this->format = format;
        return DI_OK;
    }
    HResult setCooperativeLevel(WindowHandle /*window*/, uint32_t /*flags*/) override { return DI_OK; }
    HResult setProperty(uint32_t /*property*/, const PropertyDword& /*value*/) override { return DI_OK; }
    HResult setProperty(uint32_t /*property*/, const PropertyRange& /*value*/) override { return DI_OK; }

    HResult enumObjects(uint32_t flags, const ObjectCallback& callback) override {
        for (const ObjectInstance& object : declared().objects)
            if (listsObject(flags, object) && !callback(object))
                break;
        return DI_OK;
    }

    HResult acquire() override { return DI_OK; }
    HResult unacquire() override { return DI_OK; }
    HResult poll() override { return replay.poll(index); }

    HResult getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t /*flags*/) override {
        return replay.fetch(index, records, count);
    }

    // The joystick's state from the session; the others' at rest.
    HResult getDeviceState(uint32_t size, void* buffer) override {
        if (size != stateSize(format))
            return DIERR_INVALIDPARAM;
        if (format == DataFormat::Joystick2)
            return replay.state(index, static_cast<uint8_t*>(buffer));
        std::memset(buffer, 0, size);
        return DI_OK;
    }

    HResult createEffect(const Guid& /*kind*/, const EffectParameters& /*parameters*/,
                         std::unique_ptr<Effect>& effect) override {
        effect = std::make_unique<ReplayEffect>();
        return DI_OK;
    }

private:
    const Session::DeclaredDevice& declared() const { return replay.devices()[index]; }

    Session::Replay& replay;
    size_t index;
    DataFormat format = DataFormat::Joystick2;
};

class ReplaySystem final : public System {
public:
    explicit ReplaySystem(Session::Replay& replay) : replay(replay) {}

    HResult enumDevices(uint32_t /*devClass*/, uint32_t /*flags*/, const DeviceCallback& callback) override {
        for (const Session::DeclaredDevice& device : replay.devices())
            if (!callback(device.instance))
                break;
        return DI_OK;
    }

    HResult createDevice(const Guid& instance, std::unique_ptr<Device>& device) override {
        device.reset();
        const std::optional<size_t> index = replay.find(instance);
        if (!index)
            return DIERR_DEVICENOTREG;
        const HResult result = replay.devices()[*index].create;
        if (succeeded(result))
            device = std::make_unique<ReplayDevice>(replay, *index);
        return result;
    }

private:
    Session::Replay& replay;
};

} // namespace

std::unique_ptr<System> makeReplaySystem(Session::Replay& replay) {
    return std::make_unique<ReplaySystem>(replay);
}

} // namespace DirectInput
