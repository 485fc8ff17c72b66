#ifndef VORLAN_FACADE_STATE_H
#define VORLAN_FACADE_STATE_H

#include "facade/LayerForceFeedback.h"

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
    // Made by initialize, destroyed by uninitialize.
    std::unique_ptr<DIFactory> factory;
    std::unique_ptr<BindingEngine> engine;
};

FacadeState& facadeState();

#endif
