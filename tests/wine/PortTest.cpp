// The win32 DirectInput backend's own translation, against Wine's DirectInput:
// enumeration callbacks that stop, record layouts read back (capabilities,
// buffered records in one fetch), flags and properties reaching DirectInput,
// and result codes passed through unchanged. What the library makes of the
// devices is FacadeTest's part.

#include "tests/wine/WineHarness.h"

#include "platform/directinput/Native.h"

#include <memory>
#include <sstream>
#include <vector>

using namespace DirectInput;
using WineTest::check;

namespace {

// DirectInput's values (the port's Constants.h and ResultCodes.h clash with <windows.h>).
constexpr uint32_t kKeyboardType = 0x13;
constexpr uint32_t kMouseType = 0x12;
constexpr uint32_t kForegroundNoWinKey = 0x16;  // DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_NOWINKEY
constexpr uint32_t kBufferSize = 1;             // DIPROP_BUFFERSIZE
constexpr uint32_t kAxes = 3;                   // DIDFT_AXIS
constexpr uint32_t kPeek = 1;                   // DIGDD_PEEK
constexpr HResult kOk = 0, kFalse = 1;          // DI_OK; S_FALSE, also DI_BUFFEROVERFLOW
constexpr HResult kHandle = static_cast<HResult>(0x80070006);      // E_HANDLE
constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);  // E_INVALIDARG
constexpr HResult kNotBuffered = static_cast<HResult>(0x80040207); // DIERR_NOTBUFFERED
constexpr HResult kAcquired = static_cast<HResult>(0x800700AA);    // DIERR_ACQUIRED
constexpr HResult kNotAcquired = static_cast<HResult>(0x8007000C); // DIERR_NOTACQUIRED

std::string hex(uint32_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << value;
    return out.str();
}

bool checkResult(HResult result, HResult expected, const std::string& what) {
    return check(result == expected, what, "result " + hex(static_cast<uint32_t>(result)));
}

std::string describe(const DeviceObjectData* records, uint32_t count) {
    std::string text = std::to_string(count) + " records:";
    for (uint32_t i = 0; i < count; ++i)
        text += " (ofs " + hex(records[i].ofs) + " data " + hex(records[i].data) + " seq " +
                std::to_string(records[i].sequence) + ")";
    return text;
}

bool setBufferSize(Device& device, uint32_t size) {
    PropertyDword value;
    value.data = size;
    return succeeded(device.setProperty(kBufferSize, value));
}

const DeviceInstance* findFirst(const std::vector<DeviceInstance>& instances, uint32_t type) {
    for (const DeviceInstance& instance : instances)
        if ((instance.devType & 0xFF) == type)
            return &instance;
    return nullptr;
}

std::unique_ptr<Device> createDevice(System& system, const DeviceInstance* instance) {
    std::unique_ptr<Device> device;
    if (instance)
        system.createDevice(instance->guidInstance, device);
    return device;
}

void testEnumeration(System& system, std::vector<DeviceInstance>& instances) {
    checkResult(system.enumDevices(0, 0, [&](const DeviceInstance& instance) {
        instances.push_back(instance);
        return true;
    }), kOk, "EnumDevices");
    std::string names;
    bool keyboard = false, mouse = false;
    for (const DeviceInstance& instance : instances) {
        names += " \"" + instance.instanceName + "\" (" + hex(instance.devType) + ")";
        keyboard = keyboard || (instance.devType & 0xFF) == kKeyboardType;
        mouse = mouse || (instance.devType & 0xFF) == kMouseType;
    }
    check(keyboard && mouse, "EnumDevices reports a keyboard and a mouse", names);
    int calls = 0;
    system.enumDevices(0, 0, [&](const DeviceInstance&) { return ++calls, false; });
    check(calls == 1, "a callback answering false stops the enumeration", std::to_string(calls) + " calls");
}

void testKeyboardSetUp(Device& keyboard, const DeviceInstance& instance, HWND window) {
    DeviceCaps caps;
    caps.size = sizeof caps;
    checkResult(keyboard.getCapabilities(caps), kOk, "GetCapabilities");
    check(caps.devType == instance.devType && caps.buttons > 0, "capabilities read back field by field",
          "type " + hex(caps.devType) + " buttons " + std::to_string(caps.buttons));
    DeviceCaps small;
    small.size = 40;
    checkResult(keyboard.getCapabilities(small), kInvalidArg, "GetCapabilities refuses a wrong size: E_INVALIDARG");
    checkResult(keyboard.setDataFormat(DataFormat::Keyboard), kOk, "SetDataFormat keyboard");
    checkResult(keyboard.setCooperativeLevel(nullptr, kForegroundNoWinKey), kHandle,
                "SetCooperativeLevel without a window: E_HANDLE");
    checkResult(keyboard.setCooperativeLevel(window, kForegroundNoWinKey), kOk, "SetCooperativeLevel 0x16");
    DeviceObjectData record;
    uint32_t count = 1;
    checkResult(keyboard.getDeviceData(&record, count, 0), kNotBuffered, "GetDeviceData before a buffer size: DIERR_NOTBUFFERED");
    check(count == 0, "a failed fetch copies nothing");
}

// Fetches until nothing has come for a quarter of a second (three seconds at most).
void drain(Device& device) {
    DWORD quietSince = GetTickCount();
    WineTest::waitFor([&] {
        DeviceObjectData records[16];
        uint32_t count = 16;
        if (succeeded(device.getDeviceData(records, count, 0)) && count > 0)
            quietSince = GetTickCount();
        return GetTickCount() - quietSince >= 250;
    }, 3000);
}

void testKeyboardRecords(Device& keyboard) {
    checkResult(keyboard.acquire(), kOk, "Acquire");
    checkResult(keyboard.acquire(), kFalse, "a repeated Acquire: S_FALSE");
    checkResult(keyboard.setProperty(kBufferSize, PropertyDword{{20, 16, 0, 0}, 1024}), kAcquired,
                "SetProperty while acquired: DIERR_ACQUIRED");

    // A buffer of two records overflows on three keys.
    DeviceObjectData records[16];
    uint32_t count = 16;
    keyboard.getDeviceData(records, count, 0);
    WineTest::ask("key x y z");
    HResult result = kOk;
    WineTest::waitFor([&] {
        count = 16;
        result = keyboard.getDeviceData(records, count, 0);
        return count > 0;
    }, 5000);
    checkResult(result, kFalse, "a full buffer: DI_BUFFEROVERFLOW");
    check(count >= 1 && records[0].ofs == 0x2D && records[0].data == 0x80, "an overflowing fetch keeps the first records",
          describe(records, count));
    drain(keyboard);

    keyboard.unacquire();
    check(setBufferSize(keyboard, 1024), "SetProperty buffer size 1024");
    keyboard.acquire();
    WineTest::ask("key a");
    WineTest::waitFor([&] {
        count = 16;
        return succeeded(keyboard.getDeviceData(records, count, kPeek)) && count >= 2;
    }, 5000);
    count = 16;
    checkResult(keyboard.getDeviceData(records, count, 0), kOk, "GetDeviceData after a peek");
    check(count == 2 && records[0].ofs == 0x1E && records[0].data == 0x80 && records[1].ofs == 0x1E &&
              (records[1].data & 0x80) == 0 && records[1].sequence > records[0].sequence &&
              records[1].timeStamp >= records[0].timeStamp,
          "a peek leaves the records; one fetch gives A down then up, in ascending sequence",
          describe(records, count));

    checkResult(keyboard.unacquire(), kOk, "Unacquire");
    checkResult(keyboard.unacquire(), kFalse, "a repeated Unacquire: S_FALSE");
    count = 16;
    checkResult(keyboard.getDeviceData(records, count, 0), kNotAcquired, "GetDeviceData unacquired: DIERR_NOTACQUIRED");
    check(count == 0, "an unacquired fetch copies nothing");
}

void testMouseObjects(Device& mouse) {
    checkResult(mouse.setDataFormat(DataFormat::Mouse2), kOk, "SetDataFormat mouse2");
    std::vector<uint32_t> offsets;
    checkResult(mouse.enumObjects(kAxes, [&](const ObjectInstance& object) {
        offsets.push_back(object.ofs);
        return true;
    }), kOk, "EnumObjects axes");
    check(offsets == std::vector<uint32_t>{0, 4, 8}, "the mouse's axes are X, Y and wheel at 0, 4, 8");
    int calls = 0;
    mouse.enumObjects(0, [&](const ObjectInstance&) { return ++calls, false; });
    check(calls == 1, "an object callback answering false stops the enumeration", std::to_string(calls) + " calls");
}

// GetDeviceState in the keyboard's and mouse's formats: the size checked, a
// key and a button seen while held and after.
void testStates(Device& keyboard, Device& mouse, HWND window) {
    uint8_t keys[256] = {};
    checkResult(keyboard.acquire(), kOk, "Acquire keyboard");
    checkResult(keyboard.getDeviceState(20, keys), kInvalidArg, "GetDeviceState of another size: DIERR_INVALIDPARAM");
    checkResult(keyboard.getDeviceState(sizeof keys, keys), kOk, "GetDeviceState keyboard, 256 bytes");
    WineTest::ask("keydown b");
    check(WineTest::waitFor([&] { return succeeded(keyboard.getDeviceState(sizeof keys, keys)) && keys[0x30] == 0x80; }, 5000),
          "the state holds B while it is down", hex(keys[0x30]));
    WineTest::ask("keyup b");
    check(WineTest::waitFor([&] { return succeeded(keyboard.getDeviceState(sizeof keys, keys)) && keys[0x30] == 0; }, 5000),
          "and lets it go when it is up", hex(keys[0x30]));
    keyboard.unacquire();

    uint8_t state[20] = {};
    checkResult(mouse.setCooperativeLevel(window, kForegroundNoWinKey), kOk, "SetCooperativeLevel mouse 0x16");
    checkResult(mouse.acquire(), kOk, "Acquire mouse");
    checkResult(mouse.getDeviceState(sizeof state, state), kOk, "GetDeviceState mouse2, 20 bytes");
    WineTest::pointToWindow(window);
    WineTest::ask("mousedown 1");
    check(WineTest::waitFor([&] { return succeeded(mouse.getDeviceState(sizeof state, state)) && state[12] == 0x80; }, 5000),
          "the state holds button 0 while it is down", hex(state[12]));
    WineTest::ask("mouseup 1");
    check(WineTest::waitFor([&] { return succeeded(mouse.getDeviceState(sizeof state, state)) && state[12] == 0; }, 5000),
          "and lets it go when it is up", hex(state[12]));
    mouse.unacquire();
    checkResult(mouse.getDeviceState(sizeof state, state), kNotAcquired, "GetDeviceState unacquired: DIERR_NOTACQUIRED");
}

} // namespace

int main() {
    HWND window = WineTest::createWindow();
    if (!check(window != nullptr, "a window") || !check(WineTest::focus(window), "the window has the focus"))
        return WineTest::summary();

    std::unique_ptr<System> system;
    checkResult(createNative(system), kOk, "DirectInput8Create through the default backend");
    if (!check(system != nullptr, "a DirectInput object"))
        return WineTest::summary();
    std::vector<DeviceInstance> instances;
    testEnumeration(*system, instances);

    const DeviceInstance* keyboardInstance = findFirst(instances, kKeyboardType);
    std::unique_ptr<Device> keyboard = createDevice(*system, keyboardInstance);
    if (check(keyboard != nullptr, "CreateDevice keyboard")) {
        testKeyboardSetUp(*keyboard, *keyboardInstance, window);
        check(setBufferSize(*keyboard, 2), "SetProperty buffer size 2");
        testKeyboardRecords(*keyboard);
    }
    std::unique_ptr<Device> mouse = createDevice(*system, findFirst(instances, kMouseType));
    if (check(mouse != nullptr, "CreateDevice mouse"))
        testMouseObjects(*mouse);
    if (keyboard && mouse)
        testStates(*keyboard, *mouse, window);
    return WineTest::summary();
}
