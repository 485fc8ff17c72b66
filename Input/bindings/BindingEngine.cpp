#include "bindings/BindingEngine.h"

#include "bindings/FrameLoop.h"

#include <algorithm>

Mem::Ref<Layer> BindingEngine::findLayer(const std::string& name) const {
    for (const Mem::Ref<Layer>& layer : layerRegistry) {
        if (layer->getName() == name)
            return layer;
    }
    return Mem::Ref<Layer>();
}

void BindingEngine::createLayer(const std::string& name) {
    if (!findLayer(name))
        layerRegistry.emplace_back(new Layer(name));
}

void BindingEngine::removeLayer(const std::string& name) {
    const Mem::Ref<Layer> layer = findLayer(name);
    if (!layer)
        return;
    layer->releaseHeldKeys(pendingActions);
    auto onStack = std::find_if(layerStack.begin(), layerStack.end(),
                                [&](const Mem::Ref<Layer>& l) { return l.get() == layer.get(); });
    if (onStack != layerStack.end())
        layerStack.erase(onStack);
}

void BindingEngine::setTopLayer(const std::string& name) {
    removeLayer(name);
    Mem::Ref<Layer> layer = findLayer(name);
    if (layer)
        layerStack.insert(layerStack.begin(), std::move(layer));
}

void BindingEngine::removeAllLayers() {
    layerRegistry.clear();
    layerStack.clear();
    reformers.release();
    std::vector<VorlanAction>().swap(pendingActions);
}

std::vector<std::string> BindingEngine::getLayersStack() const {
    std::vector<std::string> names;
    names.reserve(layerStack.size());
    for (const Mem::Ref<Layer>& layer : layerStack)
        names.push_back(layer->getName());
    return names;
}

void BindingEngine::releaseAll() {
    for (const Mem::Ref<Layer>& layer : layerStack)
        layer->releaseHeldKeys(pendingActions);
    reformers.release();
}

void BindingEngine::addModifier(int32_t code) { reformers.addModifier(code); }
void BindingEngine::addSwitch(int32_t code) { reformers.addSwitch(code); }
void BindingEngine::addSwitchGroup(const std::set<int32_t>& codes) { reformers.addSwitchGroup(codes); }
void BindingEngine::clearReformers() { reformers.clear(); }

void BindingEngine::addKeyCombo(const std::string& layerName, int32_t key,
                                const std::set<int32_t>& reformerSet, int32_t down, int32_t pressed,
                                int32_t up) {
    const Mem::Ref<Layer> layer = findLayer(layerName);
    if (!layer || reformers.isReformer(key))
        return;
    KeyCombo combo;
    if (!reformers.splitReformers(reformerSet, combo.modifiers, combo.switches))
        return;
    combo.down = down;
    combo.pressed = pressed;
    combo.up = up;
    layer->addKeyCombo(key, std::move(combo));
}

void BindingEngine::addAxisCombo(const std::string& layerName, int32_t axis,
                                 const std::set<int32_t>& reformerSet, int32_t command,
                                 Filter* filter) {
    AxisCombo combo;
    combo.filter = Mem::Ref<Filter>(filter);
    const Mem::Ref<Layer> layer = findLayer(layerName);
    if (!layer || reformers.isReformer(axis))
        return;
    if (!reformers.splitReformers(reformerSet, combo.modifiers, combo.switches))
        return;
    combo.command = command;
    layer->addAxisCombo(axis, std::move(combo));
}

VorlanBindings BindingEngine::view() const {
    VorlanBindings bindings;
    for (const Mem::Ref<Layer>& layer : layerRegistry)
        bindings.layers.push_back(layer->view());
    bindings.stack = getLayersStack();
    for (int32_t code : reformers.declaredModifiers())
        bindings.modifiers.push_back({code, {}});
    for (int32_t code : reformers.declaredSwitches())
        bindings.switches.push_back({code, {}});
    bindings.switchGroups = reformers.groups();
    return bindings;
}

// Pending actions are handed over even when the stack is empty; then the
// events are not looked at, so reformer presses of this frame are lost.
void BindingEngine::process(DeviceEventList& events, std::vector<VorlanAction>& out) {
    out.assign(pendingActions.begin(), pendingActions.end());
    std::vector<VorlanAction>().swap(pendingActions);
    if (layerStack.empty())
        return;
    runFrame(layerStack, reformers, events, out);
}
