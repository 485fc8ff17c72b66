#ifndef VORLAN_FACADE_STATE_H
#define VORLAN_FACADE_STATE_H

#include "facade/LayerForceFeedback.h"
#include "platform/Context.h"

#include <memory>
#include <string>

class BindingEngine;
class DIFactory;

// The module's process-wide state, built on first use (before the instance is
// made) and destroyed after it.
struct FacadeState {
    FacadeState();
    ~FacadeState();

    std::string defaultLayerName;
    LayerForceFeedback layerForceFeedback;
    std::string aircraftMarker;
    // Whether acquired joysticks deliver where their controls stand; at module
    // load, VORLAN_INITIAL_STATE=1 switches it on.
    bool initialState;
    // What initialize makes the platform context of, before a session is
    // replayed or recorded: the platform's own. Tests put theirs here.
    Platform::ContextMaker makePlatform;
    // Made by initialize, destroyed by uninitialize. The platform context
    // outlives the factory, which reaches the platform through it; as this
    // state outlives the instance, that holds at unload too.
    std::unique_ptr<Platform::Context> platform;
    std::unique_ptr<DIFactory> factory;
    std::unique_ptr<BindingEngine> engine;
    // The recorded session's failure once met (logged then), until initialize.
    std::string recordingFailure;
};

FacadeState& facadeState();

#endif
