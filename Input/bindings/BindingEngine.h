#ifndef VORLAN_BINDINGS_BINDINGENGINE_H
#define VORLAN_BINDINGS_BINDINGENGINE_H

#include "bindings/FrameLoop.h"
#include "bindings/Layer.h"
#include "bindings/Origins.h"
#include "bindings/Reformers.h"
#include "core/DeviceEvent.h"
#include "core/Ref.h"
#include "Filter.h"
#include "VorlanAction.h"
#include "VorlanBindings.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Maps device events to host commands through named layers. Layers are
// created once into a registry; the stack (top first) says which are active.
// Operations naming an unknown layer, and refused bindings, do nothing.
// Up commands of keys let go by layer operations wait in a pending list and
// are delivered first by the next process(). While diagnostics are on, every
// refusal is noted, and where each binding was made is kept for the view.
class BindingEngine {
public:
    BindingEngine() = default;
    // Layers are shared by reference, so a copy would share held keys.
    BindingEngine(const BindingEngine&) = delete;
    BindingEngine& operator=(const BindingEngine&) = delete;
    BindingEngine(BindingEngine&&) = default;
    BindingEngine& operator=(BindingEngine&&) = default;

    // A layer of that name that already exists is kept as it is. The new
    // layer is not on the stack.
    void createLayer(const std::string& name);
    // Lets go of the layer's held keys and takes it off the stack; it stays
    // registered with its bindings.
    void removeLayer(const std::string& name);
    // removeLayer, then puts the layer on top.
    void setTopLayer(const std::string& name);
    // Forgets every layer, the held modifiers, the switch states and the
    // pending actions; no up commands are sent. Declarations stay.
    void removeAllLayers();
    // The names on the stack, top first.
    std::vector<std::string> getLayersStack() const;
    // Lets go of the held keys of the stacked layers, top first, releases every
    // modifier and turns every switch off.
    void releaseAll();

    void addModifier(int32_t code);
    void addSwitch(int32_t code);
    void addSwitchGroup(const std::set<int32_t>& codes);
    void clearReformers();

    // Refused when the layer is unknown, the key is a reformer, a reformer is
    // undeclared, or the layer already has a combo for the key with the same
    // reformers.
    void addKeyCombo(const std::string& layerName, int32_t key, const std::set<int32_t>& reformers,
                     int32_t down, int32_t pressed, int32_t up);
    // Refused like addKeyCombo. The engine takes its own reference to `filter`
    // (null: values pass unchanged) at once, so a filter that nobody else
    // holds is freed when the call is refused.
    void addAxisCombo(const std::string& layerName, int32_t axis, const std::set<int32_t>& reformers,
                      int32_t command, Filter* filter);

    // A copy of the layers, the stack and the reformer declarations.
    VorlanBindings view() const;

    // Replaces the contents of `out` with the pending actions, then with a
    // non-empty stack appends this frame's actions. Consumed events leave
    // `events`.
    void process(DeviceEventList& events, std::vector<VorlanAction>& out);

private:
    Mem::Ref<Layer> findLayer(const std::string& name) const;
    // findLayer, noting an unknown name as argument 1 of `operation`.
    Mem::Ref<Layer> findNamedLayer(const char* operation, const std::string& name) const;
    void unstack(Layer& layer);
    // Whether a combo of `operation` on `code` (argument 2, a `codeKind`) may
    // be made, noting why not; fills the combo's reformer sets.
    bool checkCombo(const char* operation, const char* codeKind, int32_t code, const std::set<int32_t>& reformerSet,
                    CodeSet& modifiers, CodeSet& switches) const;

    std::vector<Mem::Ref<Layer>> layerRegistry;
    std::vector<Mem::Ref<Layer>> layerStack;
    Reformers reformers;
    std::vector<VorlanAction> pendingActions;
    Origins origins;
    FrameLoop frameLoop;
};

#endif
