#ifndef VORLAN_BINDINGS_LAYER_H
#define VORLAN_BINDINGS_LAYER_H

#include "bindings/AxisCombo.h"
#include "bindings/ComboList.h"
#include "bindings/HeldKeys.h"
#include "bindings/KeyCombo.h"
#include "core/DeviceEvent.h"
#include "Shared.h"
#include "VorlanAction.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// A named bag of key and axis combos, plus the keys whose press it bound and
// that are still down. Shared by reference count (Mem::Ref<Layer>) between the
// engine's registry and its stack.
class Layer {
public:
    explicit Layer(std::string name) : name(std::move(name)) {}
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    Sync::Counter& refCount() { return count; }
    const std::string& getName() const { return name; }

    // Each refuses a combo whose modifiers and switches equal an earlier one's
    // for the same code.
    void addKeyCombo(int32_t key, KeyCombo combo);
    void addAxisCombo(int32_t axis, AxisCombo combo);

    // The event steps of a frame; each returns whether this layer consumed the
    // event. A release goes only to the layer that holds the key.
    bool handleKey(const DeviceEvent& event, const CodeSet& pressedModifiers,
                   const CodeSet& activeSwitches, std::vector<VorlanAction>& out);
    bool handleAxis(const DeviceEvent& event, const CodeSet& pressedModifiers,
                    const CodeSet& activeSwitches, std::vector<VorlanAction>& out) const;

    // The pressed commands of the held keys, in ascending key-code order.
    void sendPressed(std::vector<VorlanAction>& out) const;
    // Lets go of every held key, sending its up command.
    void releaseHeldKeys(std::vector<VorlanAction>& out);

private:
    // Hash maps: the per-event lookup by code must not grow with the number
    // of bound codes.
    Sync::Counter count;
    std::string name;
    std::unordered_map<int32_t, ComboList<KeyCombo>> keyCombos;
    std::unordered_map<int32_t, ComboList<AxisCombo>> axisCombos;
    HeldKeys heldKeys;
};

#endif
