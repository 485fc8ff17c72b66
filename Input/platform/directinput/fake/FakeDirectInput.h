#ifndef VORLAN_PLATFORM_DIRECTINPUT_FAKE_FAKEDIRECTINPUT_H
#define VORLAN_PLATFORM_DIRECTINPUT_FAKE_FAKEDIRECTINPUT_H

#include "platform/directinput/System.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The fake DirectInput backend for tests: devices are scripted in C++, any
// call can be given a result, and every call is kept in a journal with its
// arguments.
namespace DirectInput {

// One scripted device. The fake reads the script at each call, so a test may
// change it (add batches, objects) while the device is in use.
struct FakeDeviceScript {
    DeviceInstance instance;
    DeviceCaps caps;                     // what GetCapabilities gives (its size stays the caller's)
    std::vector<ObjectInstance> objects; // in enumeration order
    // Buffered input: each successful GetDeviceData takes the records of the
    // front batch (at most as many as asked; the rest stays for the next call).
    std::deque<std::vector<DeviceObjectData>> batches;
    // What GetDeviceState copies, zero-filled beyond its end; while empty, a
    // joystick at rest (hats centred).
    std::vector<uint8_t> state;
    bool nullInterface = false;          // CreateDevice succeeds without a device

    // Puts a 32-bit value (an axis, a hat) at that offset of the state, which
    // starts as a joystick's at rest.
    void setStateWord(uint32_t offset, uint32_t value);
};

// Effect parameters as a call passed them, copied deeply.
struct FakeEffectParameters {
    uint32_t size = 0;
    uint32_t flags = 0;
    uint32_t duration = 0;
    uint32_t samplePeriod = 0;
    uint32_t gain = 0;
    uint32_t triggerButton = 0;
    uint32_t triggerRepeatInterval = 0;
    uint32_t axisCount = 0;
    std::vector<uint32_t> axes;        // empty when no axis list was passed
    std::vector<int32_t> directions;   // empty when no direction list was passed
    std::optional<Envelope> envelope;
    uint32_t typeSpecificSize = 0;
    std::vector<uint8_t> typeSpecificParams;  // typeSpecificSize bytes, or none for a null pointer
    uint32_t startDelay = 0;

    // The type-specific bytes read as records; as many whole records as they hold.
    std::vector<Condition> conditions() const;
    std::vector<ConstantForce> constantForces() const;
    std::vector<Periodic> periodics() const;
};

FakeEffectParameters copyEffectParameters(const EffectParameters& parameters);

// One call as it reached the fake. Fields a call has no argument for keep
// their defaults.
struct FakeCall {
    // The platform's name of the call: "DirectInput8Create", "EnumDevices",
    // "CreateDevice", "GetCapabilities", "SetDataFormat", "SetCooperativeLevel",
    // "SetProperty", "EnumObjects", "Acquire", "Unacquire", "Poll",
    // "GetDeviceData", "GetDeviceState", "CreateEffect", "SetParameters", "Start", "Stop", "Release".
    std::string method;
    std::string device;   // instance name of the device called or created; empty for the DirectInput object
    unsigned effect = 0;  // the effect called, or made by CreateEffect: 1 for the first this fake made, 0 for none
    HResult result = 0;   // what the call returned

    uint32_t devClass = 0;          // EnumDevices
    uint32_t flags = 0;             // EnumDevices, SetCooperativeLevel, EnumObjects, GetDeviceData, SetParameters, Start
    uint32_t count = 0;             // GetDeviceData: records asked for; GetDeviceState: size; Start: iterations
    WindowHandle window = nullptr;  // SetCooperativeLevel
    Guid guid;                      // CreateDevice: instance; CreateEffect: kind
    DataFormat format = DataFormat::Keyboard;  // SetDataFormat
    uint32_t property = 0;          // SetProperty: DIPROP_* and its header, value or range
    PropertyHeader header;
    uint32_t data = 0;
    int32_t min = 0;
    int32_t max = 0;
    FakeEffectParameters parameters;  // CreateEffect, SetParameters
};

// The fake's world: scripts, result rules and journal. It must outlive every
// System, Device and Effect it made.
//
// Behaviour without rules: every call succeeds, except that Poll,
// GetDeviceData and GetDeviceState fail with DIERR_NOTACQUIRED on a device
// that is not acquired, GetDeviceState with DIERR_INVALIDPARAM for a size
// other than that of the data format set (the joystick's when none was set),
// CreateDevice fails with DIERR_DEVICENOTREG for a GUID without a script, and
// Acquire (Unacquire) of an acquired (unacquired) device gives S_FALSE.
// EnumDevices lists every scripted device in the order added, whatever the
// class; EnumObjects lists the objects that share a type bit with the flags
// (all of them for DIDFT_ALL).
class FakeDirectInput {
public:
    FakeDirectInput() = default;
    FakeDirectInput(const FakeDirectInput&) = delete;
    FakeDirectInput& operator=(const FakeDirectInput&) = delete;

    // Adds a device; the reference stays valid as long as the fake.
    FakeDeviceScript& addDevice(const DeviceInstance& instance);

    // From now on, calls of that method (on that device's instance name, or on
    // any object when device is empty) return result: every one when nth is 0,
    // else only the nth matching call counted from now (1 = the next one).
    // Each rule counts every matching call. A failure code makes the call do
    // nothing else; a success code lets it do its work. The first rule added
    // wins when several match.
    void setResult(const std::string& method, HResult result, unsigned nth = 0,
                   const std::string& device = std::string());

    // The backend entry (DirectInput8Create): a System on this fake.
    HResult create(std::unique_ptr<System>& system);

    // Every call so far, in order; or those of one method.
    const std::vector<FakeCall>& journal() const { return calls; }
    std::vector<FakeCall> journal(const std::string& method) const;
    void clearJournal() { calls.clear(); }

private:
    friend class FakeSystem;
    friend class FakeDevice;
    friend class FakeEffect;

    // The result of a call: the first matching rule's, else normal.
    HResult decide(const std::string& method, const std::string& device, HResult normal);
    // Adds the call to the journal and returns its result.
    HResult record(FakeCall call);
    FakeDeviceScript* findDevice(const Guid& instance);

    struct Rule {
        std::string method;
        std::string device;
        HResult result;
        unsigned nth;
        unsigned seen;
    };

    std::deque<FakeDeviceScript> scripts;
    std::vector<Rule> rules;
    std::vector<FakeCall> calls;
    unsigned effects = 0;
};

} // namespace DirectInput

#endif
