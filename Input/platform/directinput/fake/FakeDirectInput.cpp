#include "platform/directinput/fake/FakeDirectInput.h"

#include "platform/directinput/Constants.h"
#include "platform/directinput/JoystickState.h"
#include "platform/directinput/ObjectFilter.h"
#include "platform/directinput/ResultCodes.h"

#include <algorithm>
#include <cstring>

namespace DirectInput {

// ---- effect parameters ---------------------------------------------------

namespace {

template <class Record>
std::vector<Record> readRecords(const std::vector<uint8_t>& bytes) {
    std::vector<Record> records(bytes.size() / sizeof(Record));
    if (!records.empty())
        std::memcpy(records.data(), bytes.data(), records.size() * sizeof(Record));
    return records;
}

template <class T>
std::vector<T> copyArray(const T* items, uint32_t count) {
    return items ? std::vector<T>(items, items + count) : std::vector<T>();
}

} // namespace

std::vector<Condition> FakeEffectParameters::conditions() const { return readRecords<Condition>(typeSpecificParams); }
std::vector<ConstantForce> FakeEffectParameters::constantForces() const { return readRecords<ConstantForce>(typeSpecificParams); }
std::vector<Periodic> FakeEffectParameters::periodics() const { return readRecords<Periodic>(typeSpecificParams); }

FakeEffectParameters copyEffectParameters(const EffectParameters& p) {
    FakeEffectParameters copy;
    copy.size = p.size;
    copy.flags = p.flags;
    copy.duration = p.duration;
    copy.samplePeriod = p.samplePeriod;
    copy.gain = p.gain;
    copy.triggerButton = p.triggerButton;
    copy.triggerRepeatInterval = p.triggerRepeatInterval;
    copy.axisCount = p.axisCount;
    copy.axes = copyArray(p.axes, p.axisCount);
    copy.directions = copyArray(p.directions, p.axisCount);
    if (p.envelope)
        copy.envelope = *p.envelope;
    copy.typeSpecificSize = p.typeSpecificSize;
    copy.typeSpecificParams = copyArray(static_cast<const uint8_t*>(p.typeSpecificParams), p.typeSpecificSize);
    copy.startDelay = p.startDelay;
    return copy;
}

// ---- the fake's objects ---------------------------------------------------

namespace {

FakeCall makeCall(const char* method, const std::string& device, unsigned effect, HResult result) {
    FakeCall call;
    call.method = method;
    call.device = device;
    call.effect = effect;
    call.result = result;
    return call;
}

} // namespace

class FakeEffect : public Effect {
public:
    FakeEffect(FakeDirectInput& fake, std::string device, unsigned serial)
        : fake(fake), device(std::move(device)), serial(serial) {}

    ~FakeEffect() override { fake.record(makeCall("Release", device, serial, DI_OK)); }

    HResult setParameters(const EffectParameters& parameters, uint32_t flags) override {
        FakeCall call = makeCall("SetParameters", device, serial, fake.decide("SetParameters", device, DI_OK));
        call.flags = flags;
        call.parameters = copyEffectParameters(parameters);
        return fake.record(std::move(call));
    }

    HResult start(uint32_t iterations, uint32_t flags) override {
        FakeCall call = makeCall("Start", device, serial, fake.decide("Start", device, DI_OK));
        call.count = iterations;
        call.flags = flags;
        return fake.record(std::move(call));
    }

    HResult stop() override { return fake.record(makeCall("Stop", device, serial, fake.decide("Stop", device, DI_OK))); }

private:
    FakeDirectInput& fake;
    std::string device;
    unsigned serial;
};

class FakeDevice : public Device {
public:
    FakeDevice(FakeDirectInput& fake, FakeDeviceScript& script) : fake(fake), script(script) {}

    ~FakeDevice() override { fake.record(makeCall("Release", name(), 0, DI_OK)); }

    HResult getCapabilities(DeviceCaps& caps) override {
        const HResult result = begin("GetCapabilities", DI_OK);
        if (succeeded(result)) {
            const uint32_t size = caps.size;
            caps = script.caps;
            caps.size = size;
        }
        return fake.record(makeCall("GetCapabilities", name(), 0, result));
    }

    HResult setDataFormat(DataFormat format) override {
        FakeCall call = makeCall("SetDataFormat", name(), 0, begin("SetDataFormat", DI_OK));
        call.format = format;
        if (succeeded(call.result))
            this->format = format;
        return fake.record(std::move(call));
    }

    HResult setCooperativeLevel(WindowHandle window, uint32_t flags) override {
        FakeCall call = makeCall("SetCooperativeLevel", name(), 0, begin("SetCooperativeLevel", DI_OK));
        call.window = window;
        call.flags = flags;
        return fake.record(std::move(call));
    }

    HResult setProperty(uint32_t property, const PropertyDword& value) override {
        FakeCall call = makeCall("SetProperty", name(), 0, begin("SetProperty", DI_OK));
        call.property = property;
        call.header = value.header;
        call.data = value.data;
        return fake.record(std::move(call));
    }

    HResult setProperty(uint32_t property, const PropertyRange& value) override {
        FakeCall call = makeCall("SetProperty", name(), 0, begin("SetProperty", DI_OK));
        call.property = property;
        call.header = value.header;
        call.min = value.min;
        call.max = value.max;
        return fake.record(std::move(call));
    }

    HResult enumObjects(uint32_t flags, const ObjectCallback& callback) override {
        FakeCall call = makeCall("EnumObjects", name(), 0, begin("EnumObjects", DI_OK));
        call.flags = flags;
        const HResult result = fake.record(std::move(call));
        if (failed(result))
            return result;
        const std::vector<ObjectInstance> objects = script.objects;  // the callback may change the script
        for (const ObjectInstance& object : objects)
            if (listsObject(flags, object) && !callback(object))
                break;
        return result;
    }

    HResult acquire() override {
        const HResult result = begin("Acquire", acquired ? S_FALSE : DI_OK);
        if (succeeded(result))
            acquired = true;
        return fake.record(makeCall("Acquire", name(), 0, result));
    }

    HResult unacquire() override {
        const HResult result = begin("Unacquire", acquired ? DI_OK : DI_NOEFFECT);
        if (succeeded(result))
            acquired = false;
        return fake.record(makeCall("Unacquire", name(), 0, result));
    }

    HResult poll() override {
        return fake.record(makeCall("Poll", name(), 0, begin("Poll", acquired ? DI_OK : DIERR_NOTACQUIRED)));
    }

    HResult getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t flags) override {
        FakeCall call = makeCall("GetDeviceData", name(), 0, begin("GetDeviceData", acquired ? DI_OK : DIERR_NOTACQUIRED));
        call.count = count;
        call.flags = flags;
        const HResult result = fake.record(std::move(call));
        const uint32_t asked = count;
        count = 0;
        if (failed(result) || script.batches.empty())
            return result;
        std::vector<DeviceObjectData>& batch = script.batches.front();
        count = static_cast<uint32_t>(std::min<size_t>(asked, batch.size()));
        std::copy(batch.begin(), batch.begin() + count, records);
        batch.erase(batch.begin(), batch.begin() + count);
        if (batch.empty())
            script.batches.pop_front();
        return result;
    }

    HResult getDeviceState(uint32_t size, void* buffer) override {
        const HResult normal = !acquired ? DIERR_NOTACQUIRED : size != stateSize(format) ? DIERR_INVALIDPARAM : DI_OK;
        FakeCall call = makeCall("GetDeviceState", name(), 0, begin("GetDeviceState", normal));
        call.count = size;
        const HResult result = fake.record(std::move(call));
        if (succeeded(result) && script.state.empty() && size == JoystickStateSize)
            restState(static_cast<uint8_t*>(buffer));
        else if (succeeded(result)) {
            std::memset(buffer, 0, size);
            std::memcpy(buffer, script.state.data(), std::min<size_t>(size, script.state.size()));
        }
        return result;
    }

    HResult createEffect(const Guid& kind, const EffectParameters& parameters, std::unique_ptr<Effect>& effect) override {
        effect.reset();
        const HResult result = begin("CreateEffect", DI_OK);
        FakeCall call = makeCall("CreateEffect", name(), succeeded(result) ? ++fake.effects : 0, result);
        call.guid = kind;
        call.parameters = copyEffectParameters(parameters);
        if (succeeded(result))
            effect = std::make_unique<FakeEffect>(fake, name(), call.effect);
        return fake.record(std::move(call));
    }

private:
    const std::string& name() const { return script.instance.instanceName; }
    HResult begin(const char* method, HResult normal) { return fake.decide(method, name(), normal); }

    FakeDirectInput& fake;
    FakeDeviceScript& script;
    bool acquired = false;
    DataFormat format = DataFormat::Joystick2;
};

class FakeSystem : public System {
public:
    explicit FakeSystem(FakeDirectInput& fake) : fake(fake) {}

    ~FakeSystem() override { fake.record(makeCall("Release", std::string(), 0, DI_OK)); }

    HResult enumDevices(uint32_t devClass, uint32_t flags, const DeviceCallback& callback) override {
        FakeCall call = makeCall("EnumDevices", std::string(), 0, fake.decide("EnumDevices", std::string(), DI_OK));
        call.devClass = devClass;
        call.flags = flags;
        const HResult result = fake.record(std::move(call));
        if (failed(result))
            return result;
        const std::vector<DeviceInstance> instances = listInstances();  // the callback may add devices
        for (const DeviceInstance& instance : instances)
            if (!callback(instance))
                break;
        return result;
    }

    HResult createDevice(const Guid& instance, std::unique_ptr<Device>& device) override {
        device.reset();
        FakeDeviceScript* script = fake.findDevice(instance);
        const std::string name = script ? script->instance.instanceName : std::string();
        FakeCall call = makeCall("CreateDevice", name, 0, fake.decide("CreateDevice", name, script ? DI_OK : DIERR_DEVICENOTREG));
        call.guid = instance;
        const HResult result = fake.record(std::move(call));
        if (succeeded(result) && script && !script->nullInterface)
            device = std::make_unique<FakeDevice>(fake, *script);
        return result;
    }

private:
    std::vector<DeviceInstance> listInstances() const {
        std::vector<DeviceInstance> instances;
        for (const FakeDeviceScript& script : fake.scripts)
            instances.push_back(script.instance);
        return instances;
    }

    FakeDirectInput& fake;
};

// ---- the fake's world -----------------------------------------------------

void FakeDeviceScript::setStateWord(uint32_t offset, uint32_t value) {
    if (state.empty()) {
        state.resize(JoystickStateSize);
        restState(state.data());
    }
    if (state.size() < offset + sizeof value)
        state.resize(offset + sizeof value);
    DirectInput::setStateWord(state.data(), offset, value);
}

FakeDeviceScript& FakeDirectInput::addDevice(const DeviceInstance& instance) {
    scripts.emplace_back();
    scripts.back().instance = instance;
    return scripts.back();
}

void FakeDirectInput::setResult(const std::string& method, HResult result, unsigned nth, const std::string& device) {
    rules.push_back(Rule{method, device, result, nth, 0});
}

HResult FakeDirectInput::decide(const std::string& method, const std::string& device, HResult normal) {
    bool decided = false;
    HResult result = normal;
    for (Rule& rule : rules) {
        if (rule.method != method || (!rule.device.empty() && rule.device != device))
            continue;
        ++rule.seen;
        if (!decided && (rule.nth == 0 || rule.nth == rule.seen)) {
            result = rule.result;
            decided = true;
        }
    }
    return result;
}

HResult FakeDirectInput::record(FakeCall call) {
    const HResult result = call.result;
    calls.push_back(std::move(call));
    return result;
}

FakeDeviceScript* FakeDirectInput::findDevice(const Guid& instance) {
    for (FakeDeviceScript& script : scripts)
        if (script.instance.guidInstance == instance)
            return &script;
    return nullptr;
}

HResult FakeDirectInput::create(std::unique_ptr<System>& system) {
    system.reset();
    const HResult result = decide("DirectInput8Create", std::string(), DI_OK);
    record(makeCall("DirectInput8Create", std::string(), 0, result));
    if (succeeded(result))
        system = std::make_unique<FakeSystem>(*this);
    return result;
}

std::vector<FakeCall> FakeDirectInput::journal(const std::string& method) const {
    std::vector<FakeCall> found;
    for (const FakeCall& call : calls)
        if (call.method == method)
            found.push_back(call);
    return found;
}

} // namespace DirectInput
