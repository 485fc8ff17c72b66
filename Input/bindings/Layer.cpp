#include "bindings/Layer.h"

#include "bindings/ActionList.h"

void Layer::addKeyCombo(int32_t key, KeyCombo combo) {
    keyCombos[key].add(std::move(combo));
}

void Layer::addAxisCombo(int32_t axis, AxisCombo combo) {
    axisCombos[axis].add(std::move(combo));
}

bool Layer::handleKey(const DeviceEvent& event, const CodeSet& pressedModifiers,
                      const CodeSet& activeSwitches, std::vector<VorlanAction>& out) {
    auto found = keyCombos.find(event.code);
    if (found == keyCombos.end())
        return false;

    if (event.value == 0) {
        const HeldKey* held = heldKeys.find(event.code);
        if (!held)
            return false;
        if (held->up != 0)
            addAction(out, VorlanAction(held->up, event.time, event.device));
        heldKeys.erase(event.code);
        return true;
    }

    for (const KeyCombo& combo : found->second) {
        if (!combo.matches(pressedModifiers, activeSwitches))
            continue;
        heldKeys.hold(HeldKey{event.code, combo.pressed, combo.up, event.time + 1, event.device});
        if (combo.down != 0)
            addAction(out, VorlanAction(combo.down, event.time, event.device));
        return true;
    }
    return false;
}

// Among the candidates the first in list order wins unless a later one needs
// strictly more modifiers: switches do not count here.
bool Layer::handleAxis(const DeviceEvent& event, const CodeSet& pressedModifiers,
                       const CodeSet& activeSwitches, std::vector<VorlanAction>& out) const {
    auto found = axisCombos.find(event.code);
    if (found == axisCombos.end())
        return false;

    const AxisCombo* kept = nullptr;
    for (const AxisCombo& combo : found->second) {
        if (combo.isCandidate(pressedModifiers, activeSwitches)
            && (!kept || combo.modifiers.size() > kept->modifiers.size()))
            kept = &combo;
    }
    if (!kept)
        return false;
    if (kept->command == 0)
        return true;

    const int32_t value = kept->filter
        ? toActionValue(kept->filter->getValue(static_cast<double>(event.value)))
        : event.value;
    addAction(out, VorlanAction(kept->command, value, event.absolute, event.time, event.device));
    return true;
}

void Layer::sendPressed(std::vector<VorlanAction>& out) const {
    for (const HeldKey& key : heldKeys) {
        if (key.pressed != 0)
            addAction(out, VorlanAction(key.pressed, key.time, key.device));
    }
}

void Layer::releaseHeldKeys(std::vector<VorlanAction>& out) {
    for (const HeldKey& key : heldKeys) {
        if (key.up != 0)
            addAction(out, VorlanAction(key.up, key.time, key.device));
    }
    heldKeys.clear();
}
