#include "Vorlan.h"

#include "Filter.h"
#include "ForceFeedback.h"
#include "VorlanBindings.h"
#include "bindings/BindingEngine.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "devices/DIFactory.h"
#include "facade/Engine.h"
#include "facade/State.h"

namespace {

DIFactory* factory() { return facadeState().factory.get(); }

// Notes a device name that no device (or no joystick) of the factory has.
void noteUnknownDevice(const char* operation, const std::string& name, bool joystick) {
    if (!Diagnostics::enabled() || !factory())
        return;
    const int type = factory()->getDeviceType(name);
    if (joystick ? type != Vorlan::Joystick : type == Vorlan::Unknown)
        Diagnostics::note(operation, "argument 1 (device): no " + std::string(joystick ? "joystick" : "device")
                                         + " is named " + Diagnostics::quoted(name));
}

// Logs the recording's failure the first time it is met, and keeps it.
void noteRecordingFailure(FacadeState& state) {
    if (!state.recordingFailure.empty() || state.platform->recordingFailure().empty())
        return;
    state.recordingFailure = state.platform->recordingFailure();
    Log() << "Recording error: " << state.recordingFailure;
}

} // namespace

BindingEngine* Facade::engine() { return facadeState().engine.get(); }

using Facade::engine;

Vorlan::~Vorlan() { uninitialize(); }

// ---- Lifecycle and frame ----

void Vorlan::initialize(VorlanWindow window) {
    FacadeState& state = facadeState();
    if (state.factory)
        return;
    state.recordingFailure.clear();
    std::unique_ptr<Platform::Context> platform = DIFactory::createPlatform(state.makePlatform);
    state.factory = std::make_unique<DIFactory>(window, *platform);
    state.factory->setInitialState(state.initialState);
    state.platform = std::move(platform);
    state.engine = std::make_unique<BindingEngine>();
}

void Vorlan::uninitialize() {
    FacadeState& state = facadeState();
    state.factory.reset();
    state.engine.reset();
    if (state.platform) {
        state.platform->finishRecording();
        noteRecordingFailure(state);
    }
    state.platform.reset();
}

void Vorlan::process(std::vector<VorlanAction>& actions) {
    if (!factory() || !engine())
        return;
    FacadeState& state = facadeState();
    state.platform->beginFrame();
    noteRecordingFailure(state);
    DeviceEventList events;
    factory()->collect(events);
    engine()->process(events, actions);
}

bool Vorlan::isReplayFinished() {
    const Platform::Context* platform = facadeState().platform.get();
    return platform && platform->replayFinished();
}

std::string Vorlan::getRecordingFailure() { return facadeState().recordingFailure; }

void Vorlan::activate(bool active) {
    if (active) {
        if (factory())
            factory()->acquireAll();
        return;
    }
    if (factory())
        factory()->unacquireAll();
    if (engine())
        engine()->releaseAll();
}

void Vorlan::setInitialState(bool on) {
    facadeState().initialState = on;
    if (factory())
        factory()->setInitialState(on);
}

// ---- Devices ----

void Vorlan::restartAllDevices() {
    if (factory())
        factory()->restartAllDevices();
}

void Vorlan::getDevices(std::vector<std::string>& names) {
    if (factory())
        factory()->getDevices(names);
}

Vorlan::DeviceTypes Vorlan::getDeviceType(const std::string& name) {
    noteUnknownDevice("getDeviceType", name, false);
    const int type = factory() ? factory()->getDeviceType(name) : Unknown;
    return type >= Keyboard && type <= TrackIR ? static_cast<DeviceTypes>(type) : Unknown;
}

void Vorlan::getDeviceKeysAxes(const std::string& name, std::vector<int>& keys, std::vector<int>& axes) {
    noteUnknownDevice("getDeviceKeysAxes", name, false);
    if (factory())
        factory()->getDeviceKeysAxes(name, keys, axes);
}

void Vorlan::setJoystickNumber(const std::string& name, int number) {
    noteUnknownDevice("setJoystickNumber", name, true);
    if (factory())
        factory()->setJoystickNumber(name, number);
}

int Vorlan::getJoystickNumber(const std::string& name) {
    noteUnknownDevice("getJoystickNumber", name, true);
    return factory() ? factory()->getJoystickNumber(name) : -1;
}

void Vorlan::banKeyboard(bool banned) {
    if (factory())
        factory()->banKeyboard(banned);
}

void Vorlan::banMouse(bool banned) {
    if (factory())
        factory()->banMouse(banned);
}

// ---- Layers ----

void Vorlan::createLayer(const std::string& name) {
    if (engine())
        engine()->createLayer(name);
}

void Vorlan::setDefaultLayer(const std::string& name) {
    FacadeState& state = facadeState();
    state.defaultLayerName = name;
    if (engine())
        engine()->createLayer(state.defaultLayerName);
}

void Vorlan::setTopLayer(const std::string& name) {
    if (!engine())
        return;
    engine()->setTopLayer(name);
    topForceFeedback(true);
}

void Vorlan::setDefaultLayerTop() { setTopLayer(facadeState().defaultLayerName); }

void Vorlan::removeLayer(const std::string& name) {
    if (!engine())
        return;
    setForceFeedback(name, false);
    engine()->removeLayer(name);
    topForceFeedback(true);
}

void Vorlan::removeDefaultLayer() { removeLayer(facadeState().defaultLayerName); }

void Vorlan::removeAllLayers() {
    FacadeState& state = facadeState();
    if (engine()) {
        engine()->removeAllLayers();
        for (const auto& layer : state.layerForceFeedback)
            setForceFeedback(layer.first, false);
    }
    state.layerForceFeedback.clear();
}

void Vorlan::getLayersStack(std::vector<std::string>& names) {
    if (engine())
        names = engine()->getLayersStack();
}

void Vorlan::getBindings(VorlanBindings& bindings) {
    if (engine())
        bindings = engine()->view();
}

// ---- Reformers and combos ----

void Vorlan::addModifiers(const std::set<int32_t>& codes) {
    if (engine())
        for (int32_t code : codes)
            engine()->addModifier(code);
}

void Vorlan::addSwitches(const std::set<int32_t>& codes) {
    if (engine())
        for (int32_t code : codes)
            engine()->addSwitch(code);
}

void Vorlan::addSwitchGroup(const std::set<int32_t>& codes) {
    if (engine())
        engine()->addSwitchGroup(codes);
}

void Vorlan::addKeyCombo(const std::string& layerName, int32_t key, const std::set<int32_t>& reformers,
                         int32_t downCommand, int32_t pressedCommand, int32_t upCommand) {
    if (engine())
        engine()->addKeyCombo(layerName, key, reformers, downCommand, pressedCommand, upCommand);
}

void Vorlan::addAxisCombo(const std::string& layerName, int32_t axis, const std::set<int32_t>& reformers,
                          int32_t command, const FilterInfo& filter) {
    if (engine())
        engine()->addAxisCombo(layerName, axis, reformers, command, createFilter(filter));
}

// ---- Force feedback ----

void Vorlan::setForceFeedback(const std::string& layerName, const std::string& deviceName, double trimmer,
                              double shake, bool swapAxes) {
    Log() << "SetForceFeedback " << "Layer Name " << layerName << " Device " << deviceName << " Trimmer " << trimmer
          << " Shake " << shake << " Swap Axes " << swapAxes;
    facadeState().layerForceFeedback[layerName].push_back({deviceName, trimmer, shake, swapAxes});
}

bool Vorlan::setForceFeedback(const std::string& layerName, bool enable) {
    Log() << "SetForceFeedback " << "Layer Name " << layerName << " Bool " << enable;
    const LayerForceFeedback& settings = facadeState().layerForceFeedback;
    const auto found = settings.find(layerName);
    if (found == settings.end()) {
        Log() << "SetForceFeedback " << "Layer Name " << layerName << " Not found";
        return false;
    }
    for (const ForceFeedbackSetting& setting : found->second) {
        ForceFeedback* controller = factory() ? factory()->getForceFeedback(setting.deviceName) : nullptr;
        if (!controller)
            continue;
        controller->setConditionEffectGain(enable ? setting.trimmer : 0.0);
        controller->setPeriodicEffectGain(enable ? setting.shake : 0.0);
        controller->setSwapAxes(enable && setting.swapAxes);
    }
    return true;
}

void Vorlan::topForceFeedback(bool enable) {
    if (!engine())
        return;
    for (const std::string& name : engine()->getLayersStack())
        if (setForceFeedback(name, enable))
            return;
}

ForceFeedback* Vorlan::getForceFeedback(const std::string& deviceName) {
    noteUnknownDevice("getForceFeedback", deviceName, false);
    return factory() ? factory()->getForceFeedback(deviceName) : nullptr;
}

// ---- Other members ----

void Vorlan::enableDiagnostics(bool on) { Diagnostics::enable(on); }

std::vector<VorlanDiagnostic> Vorlan::takeDiagnostics() { return Diagnostics::take(); }

void Vorlan::setAircraftMarker(const std::string& marker) { facadeState().aircraftMarker = marker; }

const std::string& Vorlan::getAircraftMarker() { return facadeState().aircraftMarker; }
