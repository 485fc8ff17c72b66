// The win32 DirectInput backend against Wine's DirectInput, through the port:
// enumeration, device set-up on a real window, acquisition, and the buffered
// records of keys, mouse motion and a mouse button sent with xdotool.

#include "tests/wine/WineHarness.h"

#include "platform/directinput/System.h"

#include <memory>
#include <sstream>
#include <vector>

using namespace DirectInput;
using WineTest::check;

namespace {

// The port's values (Constants.h names them; it clashes with <windows.h>).
constexpr uint32_t kKeyboardType = 0x13;
constexpr uint32_t kMouseType = 0x12;
constexpr uint32_t kForegroundNoWinKey = 0x16;  // DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_NOWINKEY
constexpr uint32_t kBufferSizeProperty = 1;     // DIPROP_BUFFERSIZE
constexpr HResult kFalse = 1;                   // S_FALSE

std::string hex(HResult result) {
    std::ostringstream out;
    out << "0x" << std::hex << static_cast<uint32_t>(result);
    return out.str();
}

bool checkResult(HResult result, HResult expected, const std::string& what) {
    return check(result == expected, what, "result " + hex(result));
}

// Reads buffered records until at least count have come or timeoutMs pass.
std::vector<DeviceObjectData> readRecords(Device& device, size_t count, DWORD timeoutMs) {
    std::vector<DeviceObjectData> records;
    WineTest::waitFor([&] {
        DeviceObjectData buffer[64];
        uint32_t n = 64;
        if (succeeded(device.getDeviceData(buffer, n, 0)))
            records.insert(records.end(), buffer, buffer + n);
        return records.size() >= count;
    }, timeoutMs);
    return records;
}

std::string describe(const std::vector<DeviceObjectData>& records) {
    std::ostringstream out;
    out << records.size() << " records:";
    for (const DeviceObjectData& r : records)
        out << " (ofs " << r.ofs << " data 0x" << std::hex << r.data << std::dec << " t " << r.timeStamp << ")";
    return out.str();
}

// Creates, sets up and acquires the first device of the type.
std::unique_ptr<Device> openDevice(System& system, const std::vector<DeviceInstance>& instances, uint32_t type,
                                   DataFormat format, HWND window, const std::string& kind) {
    std::unique_ptr<Device> device;
    for (const DeviceInstance& instance : instances)
        if ((instance.devType & 0xFF) == type) {
            checkResult(system.createDevice(instance.guidInstance, device), 0, kind + ": CreateDevice");
            break;
        }
    if (!check(device != nullptr, kind + ": device interface"))
        return device;
    DeviceCaps caps;
    caps.size = sizeof caps;
    checkResult(device->getCapabilities(caps), 0, kind + ": GetCapabilities");
    checkResult(device->setDataFormat(format), 0, kind + ": SetDataFormat");
    checkResult(device->setCooperativeLevel(window, kForegroundNoWinKey), 0, kind + ": SetCooperativeLevel 0x16");
    PropertyDword bufferSize;
    bufferSize.data = 1024;
    checkResult(device->setProperty(kBufferSizeProperty, bufferSize), 0, kind + ": SetProperty buffer size 1024");
    checkResult(device->acquire(), 0, kind + ": Acquire");
    checkResult(device->acquire(), kFalse, kind + ": a repeated Acquire answers S_FALSE");
    return device;
}

void testKeyboard(Device& keyboard) {
    bool hasKeyA = false;
    checkResult(keyboard.enumObjects(0, [&](const ObjectInstance& object) {
        hasKeyA = hasKeyA || (object.ofs == 0x1E && (object.type & 0xC) != 0);
        return true;
    }), 0, "keyboard: EnumObjects");
    check(hasKeyA, "keyboard: the A key is a button object at offset 0x1E");

    WineTest::ask("keydown a");
    const std::vector<DeviceObjectData> down = readRecords(keyboard, 1, 5000);
    check(down.size() == 1 && down[0].ofs == 0x1E && down[0].data == 0x80, "keyboard: A down is offset 0x1E, data 0x80",
          describe(down));
    WineTest::ask("keyup a");
    const std::vector<DeviceObjectData> up = readRecords(keyboard, 1, 5000);
    check(up.size() == 1 && up[0].ofs == 0x1E && (up[0].data & 0x80) == 0, "keyboard: A up is offset 0x1E, bit 7 clear",
          describe(up));
    if (!down.empty() && !up.empty())
        check(up[0].timeStamp >= down[0].timeStamp && up[0].sequence > down[0].sequence,
              "keyboard: time stamps and sequence numbers ascend", describe({down[0], up[0]}));
}

void testMouse(Device& mouse, HWND window) {
    // Wine sees the pointer only over its windows: bring it in, then drop what that move gave.
    WineTest::pointToWindow(window);
    readRecords(mouse, 1, 1000);
    WineTest::ask("mousemove_relative -- 40 0");
    const std::vector<DeviceObjectData> moved = readRecords(mouse, 1, 5000);
    bool sawX = false;
    for (const DeviceObjectData& r : moved)
        sawX = sawX || (r.ofs == 0 && static_cast<int32_t>(r.data) > 0);
    check(sawX, "mouse: motion right is a positive X record at offset 0", describe(moved));

    WineTest::ask("click 1");
    std::vector<DeviceObjectData> buttons;
    WineTest::waitFor([&] {
        for (const DeviceObjectData& r : readRecords(mouse, 1, 100))
            if (r.ofs == 12)
                buttons.push_back(r);
        return buttons.size() >= 2;
    }, 5000);
    check(buttons.size() == 2 && buttons[0].data == 0x80 && buttons[1].data == 0,
          "mouse: button 1 is offset 12, data 0x80 then 0x00", describe(buttons));
}

} // namespace

int main() {
    HWND window = WineTest::createWindow();
    if (!check(window != nullptr, "a window"))
        return WineTest::summary();

    std::unique_ptr<System> system;
    checkResult(create(system), 0, "DirectInput8Create through the default backend");
    if (!check(system != nullptr, "a DirectInput object"))
        return WineTest::summary();

    std::vector<DeviceInstance> instances;
    checkResult(system->enumDevices(0, 0, [&](const DeviceInstance& instance) {
        instances.push_back(instance);
        return true;
    }), 0, "EnumDevices");
    std::string names;
    for (const DeviceInstance& instance : instances)
        names += " \"" + instance.instanceName + "\" (0x" + hex(instance.devType).substr(2) + ")";
    WineTest::say("devices:" + names);

    check(WineTest::focus(window), "the window has the focus");
    std::unique_ptr<Device> keyboard = openDevice(*system, instances, kKeyboardType, DataFormat::Keyboard, window, "keyboard");
    std::unique_ptr<Device> mouse = openDevice(*system, instances, kMouseType, DataFormat::Mouse2, window, "mouse");
    if (keyboard)
        testKeyboard(*keyboard);
    if (mouse)
        testMouse(*mouse, window);
    if (keyboard) {
        checkResult(keyboard->unacquire(), 0, "keyboard: Unacquire");
        uint32_t n = 1;
        DeviceObjectData record;
        check(failed(keyboard->getDeviceData(&record, n, 0)) && n == 0,
              "keyboard: GetDeviceData fails once unacquired and copies nothing");
    }
    return WineTest::summary();
}
