#ifndef VORLAN_DEVICES_DIFACTORY_H
#define VORLAN_DEVICES_DIFACTORY_H

#include "core/DeviceEvent.h"
#include "platform/Context.h"

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

class DIDevice;
class DIJoystick;
class ForceFeedback;
class InputDevice;

// Owns every keyboard, mouse and joystick, and the head tracker, made through
// the platform context it is given; names the devices, collects their events
// each frame and answers the facade's device queries by name.
class DIFactory {
public:
    // DirectInput could not be created.
    class Exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // DirectInput8Create: makes the platform context that the environment
    // selects over platform's (see Session::createContext). Throws Exception,
    // logged, when DirectInput cannot be created.
    static std::unique_ptr<Platform::Context> createPlatform(const Platform::ContextMaker& platform);

    // Enumerates the devices of platform, which must outlive the factory.
    DIFactory(DirectInput::WindowHandle window, Platform::Context& platform);
    ~DIFactory();
    DIFactory(const DIFactory&) = delete;
    DIFactory& operator=(const DIFactory&) = delete;

    // Re-enumerates; joystick numbers and force-feedback settings carry over by name.
    void restartAllDevices();
    // Every device's events, in creation order, then the head tracker's.
    void collect(DeviceEventList& list);
    void acquireAll();
    void unacquireAll();
    // Whether the joysticks, these and those of later enumerations, read
    // where their controls stand when acquired; off at construction.
    void setInitialState(bool on);

    // Appends the device names in creation order, then "TrackIR".
    void getDevices(std::vector<std::string>& names) const;
    // The kind of the first device with that name; 0 for none.
    int getDeviceType(const std::string& name) const;
    void getDeviceKeysAxes(const std::string& name, std::vector<int>& keys, std::vector<int>& axes);
    void setJoystickNumber(const std::string& name, int32_t number);
    // -1 when no joystick has the name.
    int32_t getJoystickNumber(const std::string& name) const;
    void banKeyboard(bool banned);
    void banMouse(bool banned);
    ForceFeedback* getForceFeedback(const std::string& name);

    static constexpr const char* deviceListFile = "Temp/VorlanDevices.txt";

private:
    struct Remembered;

    // Joystick numbers and force-feedback settings by name, and their return
    // to the joysticks of the same names after a restart.
    std::map<std::string, Remembered> rememberJoysticks() const;
    void restoreJoysticks(const std::map<std::string, Remembered>& remembered);
    void releaseDevices();
    // EnumDevices, createDevice for each instance; a device's set-up failure is logged.
    void enumerate();
    void createDevice(const DirectInput::DeviceInstance& instance);
    // CreateDevice and GetCapabilities; a failure is logged and gives no device.
    std::unique_ptr<DirectInput::Device> openDevice(const DirectInput::DeviceInstance& instance, bool& forceFeedback);
    // Whether the factory takes the instance: false by one of the refusal rules.
    bool accepts(const DirectInput::DeviceInstance& instance, const std::string& name);
    // Makes the device of the instance's class and files it in the lists.
    void makeDevice(const DirectInput::DeviceInstance& instance, std::unique_ptr<DirectInput::Device> device,
                    const std::string& name, bool forceFeedback);
    void createTrackIR();
    void writeDeviceList() const;
    InputDevice* findDevice(const std::string& name) const;
    DIJoystick* findJoystick(const std::string& name) const;

    Platform::Context& platform;
    DirectInput::WindowHandle window;
    // Every device in creation order, the head tracker last; the owning list.
    std::vector<std::unique_ptr<InputDevice>> devices;
    std::vector<DIDevice*> keyboards;
    std::vector<DIDevice*> mice;
    std::vector<DIJoystick*> joysticks;
    std::map<std::string, InputDevice*> forceFeedbackDevices;
    std::set<DirectInput::Guid> seenGuids;
    bool initialState = false;
};

#endif
