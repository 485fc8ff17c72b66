#include "platform/session/RecordingDirectInput.h"

#include "platform/directinput/Constants.h"
#include "platform/directinput/JoystickState.h"

#include <optional>
#include <vector>

namespace DirectInput {

namespace {

class RecordingDevice final : public Device {
public:
    RecordingDevice(std::unique_ptr<Device> inner, Session::Recorder& recorder, size_t index)
        : inner(std::move(inner)), recorder(recorder), index(index) {}

    HResult getCapabilities(DeviceCaps& caps) override { return inner->getCapabilities(caps); }
    HResult setDataFormat(DataFormat format) override { return inner->setDataFormat(format); }
    HResult setCooperativeLevel(WindowHandle window, uint32_t flags) override {
        return inner->setCooperativeLevel(window, flags);
    }
    HResult setProperty(uint32_t property, const PropertyDword& value) override {
        return inner->setProperty(property, value);
    }
    HResult setProperty(uint32_t property, const PropertyRange& value) override {
        return inner->setProperty(property, value);
    }
    HResult enumObjects(uint32_t flags, const ObjectCallback& callback) override {
        return inner->enumObjects(flags, callback);
    }
    HResult acquire() override { return inner->acquire(); }
    HResult unacquire() override { return inner->unacquire(); }

    HResult poll() override {
        const HResult result = inner->poll();
        recorder.polled(index, result);
        return result;
    }

    HResult getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t flags) override {
        const HResult result = inner->getDeviceData(records, count, flags);
        recorder.fetched(index, result, records, succeeded(result) ? count : 0);
        return result;
    }

    HResult getDeviceState(uint32_t size, void* buffer) override {
        const HResult result = inner->getDeviceState(size, buffer);
        if (size == JoystickStateSize)
            recorder.stateRead(index, result, static_cast<const uint8_t*>(buffer));
        return result;
    }

    HResult createEffect(const Guid& kind, const EffectParameters& parameters,
                         std::unique_ptr<Effect>& effect) override {
        return inner->createEffect(kind, parameters, effect);
    }

private:
    std::unique_ptr<Device> inner;
    Session::Recorder& recorder;
    size_t index;
};

// The device's capabilities and every object, as the session describes it.
void describe(Device& device, Session::Recorder& recorder, size_t index) {
    DeviceCaps caps;
    caps.size = sizeof(DeviceCaps);
    if (failed(device.getCapabilities(caps)))
        caps = DeviceCaps();
    std::vector<ObjectInstance> objects;
    device.enumObjects(DIDFT_ALL, [&objects](const ObjectInstance& object) {
        objects.push_back(object);
        return true;
    });
    recorder.describe(index, caps, std::move(objects));
}

class RecordingSystem final : public System {
public:
    RecordingSystem(System& inner, Session::Recorder& recorder) : inner(inner), recorder(recorder) {}

    HResult enumDevices(uint32_t devClass, uint32_t flags, const DeviceCallback& callback) override {
        return inner.enumDevices(devClass, flags, [this, &callback](const DeviceInstance& instance) {
            recorder.declare(instance);
            return callback(instance);
        });
    }

    HResult createDevice(const Guid& instance, std::unique_ptr<Device>& device) override {
        const HResult result = inner.createDevice(instance, device);
        const std::optional<size_t> index = recorder.find(instance);
        if (!index)
            return result;
        recorder.created(*index, result);
        if (device) {
            if (!recorder.described(*index))
                describe(*device, recorder, *index);
            device = std::make_unique<RecordingDevice>(std::move(device), recorder, *index);
        }
        return result;
    }

private:
    System& inner;
    Session::Recorder& recorder;
};

} // namespace

std::unique_ptr<System> makeRecordingSystem(System& inner, Session::Recorder& recorder) {
    return std::make_unique<RecordingSystem>(inner, recorder);
}

} // namespace DirectInput
