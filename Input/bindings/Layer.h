#ifndef VORLAN_BINDINGS_LAYER_H
#define VORLAN_BINDINGS_LAYER_H

#include "bindings/ActionList.h"
#include "bindings/AxisCombo.h"
#include "bindings/CodeMap.h"
#include "bindings/ComboList.h"
#include "bindings/HeldKeys.h"
#include "bindings/KeyCombo.h"
#include "bindings/Reformers.h"
#include "core/DeviceEvent.h"
#include "Shared.h"
#include "VorlanAction.h"
#include "VorlanBindings.h"

#include <cstdint>
#include <string>
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
    // for the same code, and returns whether it was added.
    bool addKeyCombo(int32_t key, KeyCombo combo);
    bool addAxisCombo(int32_t axis, AxisCombo combo);

    // The layer's name and combos, by ascending code; origins are left empty.
    VorlanLayer view() const;

    // The key and axis combos of one code.
    struct Bindings {
        ComboList<KeyCombo> keyCombos;
        ComboList<AxisCombo> axisCombos;
    };

    // Calls f(code, bindings) for every code the layer binds. The bindings
    // stay where they are until the next combo is added.
    template <class F>
    void forEachBinding(const F& f) const { bindings.forEach(f); }

    // Offers one event of a frame, with this layer's bindings of its code:
    // first to the key combos, then to the axis combos. Returns whether this
    // layer consumed it. A release goes only to the layer that holds the key.
    bool handleEvent(const Bindings& found, const DeviceEvent& event, const Reformers& reformers,
                     ActionList& out);

    // The pressed commands of the held keys, in ascending key-code order.
    void sendPressed(ActionList& out) const;
    // Lets go of every held key, sending its up command.
    void releaseHeldKeys(ActionList& out);

private:
    bool handleKey(const ComboList<KeyCombo>& combos, const DeviceEvent& event,
                   const Reformers& reformers, ActionList& out);
    static bool handleAxis(const ComboList<AxisCombo>& combos, const DeviceEvent& event,
                           const Reformers& reformers, ActionList& out);

    Sync::Counter count;
    std::string name;
    CodeMap<Bindings> bindings;
    HeldKeys heldKeys;
};

#endif
