#ifndef VORLAN_H
#define VORLAN_H

#include "VorlanAction.h"
#include "VorlanDiagnostic.h"
#include "VorlanExport.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class ForceFeedback;
struct FilterInfo;
struct VorlanBindings;

// The host window, as the host hands it over (an HWND on Windows).
using VorlanWindow = void*;

// The library's facade. Its one instance lives as long as the module is loaded
// (getGlobalInput); every operation works on process-wide state, chiefly the
// device factory and the binding engine that initialize makes. Before
// initialize and after uninitialize, operations do nothing or return a neutral
// value. Call it from one thread at a time.
class VORLAN_API Vorlan {
public:
    enum DeviceTypes { Unknown = 0, Keyboard = 1, Mouse = 2, Joystick = 3, TrackIR = 4 };

    Vorlan& operator=(const Vorlan&) { return *this; }

    // Lifecycle and frame.
    // Creates the device factory with the window, then the binding engine; does
    // nothing when already initialised. Throws when DirectInput cannot be made.
    void initialize(VorlanWindow window);
    void uninitialize();
    // Replaces actions with this frame's actions; leaves them as they are when
    // not initialised.
    void process(std::vector<VorlanAction>& actions);
    // true acquires the devices; false releases them and every held key.
    void activate(bool active);
    // On: every later acquire of a joystick reads where its controls stand,
    // and the next process delivers it as events before the frame's input:
    // each axis's position, the buttons held and the hats off centre that
    // differ from what the joystick delivered last. Off by default, or on when
    // VORLAN_INITIAL_STATE is 1 as the library loads; works at any time and
    // stays across uninitialize. Keyboards and mice are not read.
    void setInitialState(bool on);
    // Whether a replayed session (VORLAN_REPLAY) has delivered its last frame:
    // true once process has run it (at once for a session without frames);
    // false when no session is replayed.
    bool isReplayFinished();
    // Why the session being recorded (VORLAN_RECORD) is incomplete, such as a
    // full disk: the file and the system's reason, logged once when met.
    // Empty while every line was written or when nothing is recorded. Kept
    // after uninitialize, which writes the last line, until initialize.
    std::string getRecordingFailure();

    // Devices, by name.
    void restartAllDevices();
    void getDevices(std::vector<std::string>& names);
    DeviceTypes getDeviceType(const std::string& name);
    void getDeviceKeysAxes(const std::string& name, std::vector<int>& keys, std::vector<int>& axes);
    void setJoystickNumber(const std::string& name, int number);
    int getJoystickNumber(const std::string& name);
    void banKeyboard(bool banned);
    void banMouse(bool banned);

    // Layers.
    void createLayer(const std::string& name);
    void setDefaultLayer(const std::string& name);
    void setTopLayer(const std::string& name);
    void setDefaultLayerTop();
    void removeLayer(const std::string& name);
    void removeDefaultLayer();
    void removeAllLayers();
    // Replaces names with the stacked layers' names, top first.
    void getLayersStack(std::vector<std::string>& names);
    // Replaces bindings with a copy of the layers, the stack and the reformer
    // declarations; unchanged when not initialised.
    void getBindings(VorlanBindings& bindings);

    // Reformers and combos.
    void addModifiers(const std::set<int32_t>& codes);
    void addSwitches(const std::set<int32_t>& codes);
    void addSwitchGroup(const std::set<int32_t>& codes);
    void addKeyCombo(const std::string& layerName, int32_t key, const std::set<int32_t>& reformers,
                     int32_t downCommand, int32_t pressedCommand, int32_t upCommand);
    void addAxisCombo(const std::string& layerName, int32_t axis, const std::set<int32_t>& reformers,
                      int32_t command, const FilterInfo& filter);

    // Force feedback: records a per-layer setting (applied by the layer
    // operations), and reaches a device's controller (null when there is none).
    void setForceFeedback(const std::string& layerName, const std::string& deviceName, double trimmer,
                          double shake, bool swapAxes);
    ForceFeedback* getForceFeedback(const std::string& deviceName);

    // A string the host stores and reads back.
    void setAircraftMarker(const std::string& marker);
    const std::string& getAircraftMarker();

    // The axis value scale: axis values lie in -getAxesValueMax() .. +getAxesValueMax().
    static int32_t getAxesValueMax() { return 1073741823; }
    // A marker outside the scale for "not an axis value".
    static int32_t getNotAxesValue() { return 2147483646; }
    static bool isAxesValue(int32_t v) { return v >= -getAxesValueMax() && v <= getAxesValueMax(); }

    // Diagnostics: while on, every operation that is refused or that reads a
    // degraded argument (an unknown layer or device name, an undeclared
    // reformer, a duplicate combo, a Lua argument read as 0, ...) is noted in
    // a bounded list. Off by default; both work at any time.
    static void enableDiagnostics(bool on);
    // The entries noted since the last take, oldest first; empties the list.
    static std::vector<VorlanDiagnostic> takeDiagnostics();

    // Logging switches by device kind; may be called at any time.
    static void enableLogging(bool keyboard, bool mouse, bool joysticks);
    // Later log entries go to this file; the earlier file is left as it is.
    static void setLogPath(const std::string& path);

private:
    friend class Module;

    Vorlan() = default;
    ~Vorlan();
    Vorlan(const Vorlan&) = delete;

    // Applies (or switches off) one layer's force-feedback settings; false
    // when the layer has none recorded.
    bool setForceFeedback(const std::string& layerName, bool enable);
    // Applies the settings of the topmost stacked layer that has any.
    void topForceFeedback(bool enable);
};

// The instance; never null while the module is loaded.
VORLAN_API Vorlan* getGlobalInput();

#endif
