#include "bindings/Layer.h"

#include "core/Scaling.h"

#include <algorithm>

bool Layer::addKeyCombo(int32_t key, KeyCombo combo) {
    return bindings[key].keyCombos.add(std::move(combo));
}

bool Layer::addAxisCombo(int32_t axis, AxisCombo combo) {
    return bindings[axis].axisCombos.add(std::move(combo));
}

VorlanLayer Layer::view() const {
    std::vector<int32_t> codes;
    bindings.forEach([&](int32_t code, const Bindings&) { codes.push_back(code); });
    std::sort(codes.begin(), codes.end());
    VorlanLayer layer;
    layer.name = name;
    for (int32_t code : codes) {
        const Bindings& found = *bindings.find(code);
        for (size_t i = 0; i < found.keyCombos.size(); ++i) {
            const KeyCombo& c = found.keyCombos[i];
            layer.keyCombos.push_back({code, c.modifiers, c.switches, c.down, c.pressed, c.up, {}});
        }
        for (size_t i = 0; i < found.axisCombos.size(); ++i) {
            const AxisCombo& c = found.axisCombos[i];
            const bool hasFilter = c.filter.get() != nullptr;
            const FilterInfo info = hasFilter ? c.filter->getInfo() : FilterInfo();
            layer.axisCombos.push_back({code, c.modifiers, c.switches, c.command, hasFilter, info, {}});
        }
    }
    return layer;
}

bool Layer::handleEvent(const Bindings& found, const DeviceEvent& event, const Reformers& reformers,
                        ActionList& out) {
    return handleKey(found.keyCombos, event, reformers, out) || handleAxis(found.axisCombos, event, reformers, out);
}

// A code without key combos in this layer is not the layer's key.
bool Layer::handleKey(const ComboList<KeyCombo>& combos, const DeviceEvent& event,
                      const Reformers& reformers, ActionList& out) {
    if (combos.size() == 0)
        return false;

    if (event.value == 0) {
        const HeldKey* held = heldKeys.find(event.code);
        if (!held)
            return false;
        if (held->up != 0)
            out.addAction(VorlanAction(held->up, event.time, event.device));
        heldKeys.erase(event.code);
        return true;
    }

    for (const auto& step : combos.needing(reformers.pressedModifiers().size())) {
        if (!step.summary.mayMatch(reformers.summary()))
            continue;
        const KeyCombo& combo = combos[step.combo];
        if (!reformers.isExact() && !combo.matches(reformers.pressedModifiers(), reformers.activeSwitches()))
            continue;
        heldKeys.hold(HeldKey{event.code, combo.pressed, combo.up, event.time + 1, event.device});
        if (combo.down != 0)
            out.addAction(VorlanAction(combo.down, event.time, event.device));
        return true;
    }
    return false;
}

// Among the candidates the first in list order wins unless a later one needs
// strictly more modifiers: switches do not count here. The walk meets the
// combos needing more modifiers first, so the first candidate is the one.
bool Layer::handleAxis(const ComboList<AxisCombo>& combos, const DeviceEvent& event,
                       const Reformers& reformers, ActionList& out) {
    for (const auto& step : combos.needingAtMost(reformers.pressedModifiers().size())) {
        if (!step.summary.mayBeCandidate(reformers.summary()))
            continue;
        const AxisCombo& combo = combos[step.combo];
        if (!reformers.isExact() && !combo.isCandidate(reformers.pressedModifiers(), reformers.activeSwitches()))
            continue;
        if (combo.command == 0)
            return true;
        const int32_t value = combo.filter
            ? truncateToInt32(combo.filter->getValue(static_cast<double>(event.value)))
            : event.value;
        out.addAction(VorlanAction(combo.command, value, event.absolute, event.time, event.device));
        return true;
    }
    return false;
}

void Layer::sendPressed(ActionList& out) const {
    for (const HeldKey& key : heldKeys) {
        if (key.pressed != 0)
            out.addAction(VorlanAction(key.pressed, key.time, key.device));
    }
}

void Layer::releaseHeldKeys(ActionList& out) {
    for (const HeldKey& key : heldKeys) {
        if (key.up != 0)
            out.addAction(VorlanAction(key.up, key.time, key.device));
    }
    heldKeys.clear();
}
