#include "bindings/BindingEngine.h"

#include "bindings/FrameLoop.h"
#include "core/Diagnostics.h"

#include <algorithm>

using Diagnostics::codeName;
using Diagnostics::codeSetText;
using Diagnostics::commandName;
using Diagnostics::quoted;

namespace {

std::vector<int32_t> reformerSetOf(const CodeSet& modifiers, const CodeSet& switches) {
    std::vector<int32_t> codes(modifiers);
    codes.insert(codes.end(), switches.begin(), switches.end());
    std::sort(codes.begin(), codes.end());
    return codes;
}

} // namespace

Mem::Ref<Layer> BindingEngine::findLayer(const std::string& name) const {
    for (const Mem::Ref<Layer>& layer : layerRegistry) {
        if (layer->getName() == name)
            return layer;
    }
    return Mem::Ref<Layer>();
}

Mem::Ref<Layer> BindingEngine::findNamedLayer(const char* operation, const std::string& name) const {
    Mem::Ref<Layer> layer = findLayer(name);
    if (!layer && Diagnostics::enabled())
        Diagnostics::note(operation, "argument 1 (layer): no layer is named " + quoted(name) + "; nothing was done");
    return layer;
}

void BindingEngine::createLayer(const std::string& name) {
    if (findLayer(name))
        return;
    layerRegistry.emplace_back(new Layer(name));
    origins.noteLayer(name);
}

void BindingEngine::unstack(Layer& layer) {
    ActionList pending(pendingActions);
    layer.releaseHeldKeys(pending);
    auto onStack = std::find_if(layerStack.begin(), layerStack.end(),
                                [&](const Mem::Ref<Layer>& l) { return l.get() == &layer; });
    if (onStack != layerStack.end())
        layerStack.erase(onStack);
    frameLoop.invalidate();
}

void BindingEngine::removeLayer(const std::string& name) {
    if (const Mem::Ref<Layer> layer = findNamedLayer("removeLayer", name))
        unstack(*layer);
}

void BindingEngine::setTopLayer(const std::string& name) {
    Mem::Ref<Layer> layer = findNamedLayer("setTopLayer", name);
    if (!layer)
        return;
    unstack(*layer);
    layerStack.insert(layerStack.begin(), std::move(layer));
}

void BindingEngine::removeAllLayers() {
    layerRegistry.clear();
    layerStack.clear();
    reformers.release();
    std::vector<VorlanAction>().swap(pendingActions);
    origins.forgetLayers();
    frameLoop.invalidate();
}

std::vector<std::string> BindingEngine::getLayersStack() const {
    std::vector<std::string> names;
    names.reserve(layerStack.size());
    for (const Mem::Ref<Layer>& layer : layerStack)
        names.push_back(layer->getName());
    return names;
}

void BindingEngine::releaseAll() {
    ActionList pending(pendingActions);
    for (const Mem::Ref<Layer>& layer : layerStack)
        layer->releaseHeldKeys(pending);
    reformers.release();
}

namespace {

// Why declaring `code` a modifier (or a switch) changes nothing, or null when
// the code is no reformer yet.
const char* redeclared(const Reformers& reformers, int32_t code, bool asModifier) {
    if (reformers.isModifier(code))
        return asModifier ? "is a modifier already" : "is a modifier, so it cannot be a switch";
    if (reformers.isSwitch(code))
        return asModifier ? "is a switch, so it cannot be a modifier" : "is a switch already";
    return nullptr;
}

void noteRedeclared(const Reformers& reformers, const char* operation, int32_t code, bool asModifier,
                    const char* consequence) {
    if (!Diagnostics::enabled())
        return;
    if (const char* why = redeclared(reformers, code, asModifier))
        Diagnostics::note(operation, "argument 1 (codes): " + codeName(code) + " " + why + consequence);
}

} // namespace

void BindingEngine::addModifier(int32_t code) {
    noteRedeclared(reformers, "addModifiers", code, true, "");
    reformers.addModifier(code);
    origins.noteReformer(code);
    frameLoop.invalidate();
}

void BindingEngine::addSwitch(int32_t code) {
    noteRedeclared(reformers, "addSwitches", code, false, "");
    reformers.addSwitch(code);
    origins.noteReformer(code);
    frameLoop.invalidate();
}

void BindingEngine::addSwitchGroup(const std::set<int32_t>& codes) {
    bool grouped = false;
    for (int32_t code : codes) {
        noteRedeclared(reformers, "addSwitchGroup", code, false, "; it is no member of this group");
        grouped = grouped || !reformers.isReformer(code);
        origins.noteReformer(code);
    }
    if (!grouped && Diagnostics::enabled())
        Diagnostics::note("addSwitchGroup", "argument 1 (codes): " + codeSetText({codes.begin(), codes.end()})
                                                + " has no new switch; no group was made");
    reformers.addSwitchGroup(codes);
    frameLoop.invalidate();
}

void BindingEngine::clearReformers() {
    reformers.clear();
    frameLoop.invalidate();
}

bool BindingEngine::checkCombo(const char* operation, const char* codeKind, int32_t code,
                               const std::set<int32_t>& reformerSet, CodeSet& modifiers, CodeSet& switches) const {
    if (reformers.isReformer(code)) {
        if (Diagnostics::enabled())
            Diagnostics::note(operation, std::string("argument 2 (") + codeKind + "): " + codeName(code)
                                             + " is declared a " + (reformers.isModifier(code) ? "modifier" : "switch")
                                             + ", which cannot be bound; the combo was not added");
        return false;
    }
    if (reformers.splitReformers(reformerSet, modifiers, switches))
        return true;
    if (Diagnostics::enabled()) {
        for (int32_t reformer : reformerSet)
            if (!reformers.isReformer(reformer)) {
                Diagnostics::note(operation, "argument 3 (reformers): " + codeName(reformer)
                                                 + " is neither a modifier nor a switch; the combo was not added");
                break;
            }
    }
    return false;
}

void BindingEngine::addKeyCombo(const std::string& layerName, int32_t key,
                                const std::set<int32_t>& reformerSet, int32_t down, int32_t pressed,
                                int32_t up) {
    const Mem::Ref<Layer> layer = findNamedLayer("addKeyCombo", layerName);
    KeyCombo combo;
    if (!layer || !checkCombo("addKeyCombo", "key", key, reformerSet, combo.modifiers, combo.switches))
        return;
    combo.down = down;
    combo.pressed = pressed;
    combo.up = up;
    const CodeSet modifiers = Diagnostics::enabled() ? combo.modifiers : CodeSet();
    const CodeSet switches = Diagnostics::enabled() ? combo.switches : CodeSet();
    if (!layer->addKeyCombo(key, std::move(combo))) {
        if (Diagnostics::enabled())
            Diagnostics::note("addKeyCombo", "arguments 2 and 3 (key, reformers): layer " + quoted(layerName)
                                                 + " binds " + codeName(key) + " with "
                                                 + codeSetText(reformerSetOf(modifiers, switches))
                                                 + " already; this combo (" + commandName(down) + ", "
                                                 + commandName(pressed) + ", " + commandName(up)
                                                 + ") was dropped");
        return;
    }
    frameLoop.invalidate();
    origins.noteCombo(layerName, false, key, modifiers, switches);
    if (down == 0 && pressed == 0 && up == 0 && Diagnostics::enabled())
        Diagnostics::note("addKeyCombo", "arguments 4 to 6 (down, pressed, up): all commands are 0; "
                                         + codeName(key) + " is taken and sends nothing");
}

void BindingEngine::addAxisCombo(const std::string& layerName, int32_t axis,
                                 const std::set<int32_t>& reformerSet, int32_t command,
                                 Filter* filter) {
    AxisCombo combo;
    combo.filter = Mem::Ref<Filter>(filter);
    const Mem::Ref<Layer> layer = findNamedLayer("addAxisCombo", layerName);
    if (!layer || !checkCombo("addAxisCombo", "axis", axis, reformerSet, combo.modifiers, combo.switches))
        return;
    combo.command = command;
    const CodeSet modifiers = Diagnostics::enabled() ? combo.modifiers : CodeSet();
    const CodeSet switches = Diagnostics::enabled() ? combo.switches : CodeSet();
    if (!layer->addAxisCombo(axis, std::move(combo))) {
        if (Diagnostics::enabled())
            Diagnostics::note("addAxisCombo", "arguments 2 and 3 (axis, reformers): layer " + quoted(layerName)
                                                  + " binds " + codeName(axis) + " with "
                                                  + codeSetText(reformerSetOf(modifiers, switches))
                                                  + " already; this combo (" + commandName(command)
                                                  + ") was dropped");
        return;
    }
    frameLoop.invalidate();
    origins.noteCombo(layerName, true, axis, modifiers, switches);
    if (command == 0 && Diagnostics::enabled())
        Diagnostics::note("addAxisCombo", "argument 4 (command): the command is 0; " + codeName(axis)
                                              + " is taken and sends nothing");
}

VorlanBindings BindingEngine::view() const {
    VorlanBindings bindings;
    for (const Mem::Ref<Layer>& layer : layerRegistry) {
        VorlanLayer view = layer->view();
        view.origin = origins.layer(view.name);
        for (VorlanKeyCombo& c : view.keyCombos)
            c.origin = origins.combo(view.name, false, c.key, c.modifiers, c.switches);
        for (VorlanAxisCombo& c : view.axisCombos)
            c.origin = origins.combo(view.name, true, c.axis, c.modifiers, c.switches);
        bindings.layers.push_back(std::move(view));
    }
    bindings.stack = getLayersStack();
    for (int32_t code : reformers.declaredModifiers())
        bindings.modifiers.push_back({code, origins.reformer(code)});
    for (int32_t code : reformers.declaredSwitches())
        bindings.switches.push_back({code, origins.reformer(code)});
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
    ActionList actions(out);
    frameLoop.run(layerStack, reformers, events, actions);
}
