#ifndef VORLAN_PLATFORM_DIRECTINPUT_EFFECT_H
#define VORLAN_PLATFORM_DIRECTINPUT_EFFECT_H

#include "platform/directinput/Records.h"

namespace DirectInput {

// One force-feedback effect on a device (IDirectInputEffect). Destroying the
// object releases the effect; its owner is whoever called Device::createEffect.
class Effect {
public:
    virtual ~Effect() = default;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    // SetParameters: applies the members of parameters that flags (DIEP_*)
    // name. The record and what it points at are read during the call only.
    virtual HResult setParameters(const EffectParameters& parameters, uint32_t flags) = 0;

    // Start: plays the effect iterations times; flags as the platform's.
    virtual HResult start(uint32_t iterations, uint32_t flags) = 0;

    // Stop: stops the effect if it plays.
    virtual HResult stop() = 0;

protected:
    Effect() = default;
};

} // namespace DirectInput

#endif
