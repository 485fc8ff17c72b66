#include "bindings/Reformers.h"

void Reformers::addModifier(int32_t code) {
    if (!contains(switches, code) && insertCode(modifiers, code))
        noteDeclared(code);
    summariseDeclarations();
}

void Reformers::addSwitch(int32_t code) {
    if (!contains(modifiers, code) && insertCode(switches, code))
        noteDeclared(code);
    summariseDeclarations();
}

void Reformers::addSwitchGroup(const std::set<int32_t>& codes) {
    CodeSet group;
    for (int32_t code : codes) {
        if (!contains(modifiers, code) && insertCode(switches, code)) {
            noteDeclared(code);
            group.push_back(code);
        }
    }
    if (!group.empty())
        switchGroups.push_back(std::move(group));
    summariseDeclarations();
}

void Reformers::clear() {
    modifiers.clear();
    switches.clear();
    summariseDeclarations();
    release();
}

void Reformers::summariseDeclarations() { declared = ReformerSummary(modifiers, switches); }

void Reformers::noteDeclared(int32_t code) {
    if (!insertCode(everDeclared, code))
        return;
    const uint64_t bit = ReformerSummary::bitOf(code);
    if (everDeclaredBits & bit)
        exact = false;
    everDeclaredBits |= bit;
}

void Reformers::release() {
    pressed.clear();
    active.clear();
    held = ReformerSummary();
}

bool Reformers::splitReformers(const std::set<int32_t>& reformers, CodeSet& modifierSet,
                               CodeSet& switchSet) const {
    for (int32_t code : reformers) {
        if (contains(modifiers, code))
            modifierSet.push_back(code);
        else if (contains(switches, code))
            switchSet.push_back(code);
        else
            return false;
    }
    return true;
}

bool Reformers::handleModifier(const DeviceEvent& event) {
    if (!(declared.modifiers & ReformerSummary::bitOf(event.code)) || !contains(modifiers, event.code))
        return false;
    if (event.value != 0)
        insertCode(pressed, event.code);
    else
        eraseCode(pressed, event.code);
    held.modifiers = ReformerSummary::bitsOf(pressed);
    return true;
}

// Releases are consumed and ignored. A press first turns off the other
// members of the first group holding the code, then toggles the code.
bool Reformers::handleSwitch(const DeviceEvent& event) {
    if (!(declared.switches & ReformerSummary::bitOf(event.code)) || !contains(switches, event.code))
        return false;
    if (event.value == 0)
        return true;
    for (const CodeSet& group : switchGroups) {
        if (!contains(group, event.code))
            continue;
        for (int32_t member : group) {
            if (member != event.code)
                eraseCode(active, member);
        }
        break;
    }
    if (contains(active, event.code))
        eraseCode(active, event.code);
    else
        insertCode(active, event.code);
    held.switches = ReformerSummary::bitsOf(active);
    return true;
}
