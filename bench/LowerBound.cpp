#include "LowerBound.h"

#include "core/Scaling.h"

#include <algorithm>

namespace {

template <class Rule>
void insertRule(std::vector<std::pair<int, Rule>>& list, int count, Rule rule) {
    auto at = std::find_if(list.begin(), list.end(), [count](const auto& r) { return r.first <= count; });
    list.insert(at, {count, std::move(rule)});
}

void add(std::vector<VorlanAction>& out, const VorlanAction& action) {
    if (action.getAction() > 0)
        out.push_back(action);
}

} // namespace

void LowerBound::createLayer(const std::string& name) { layers[name]; }

void LowerBound::addModifier(int32_t code) {
    if (!switchBits.count(code) && !modifierBits.count(code))
        modifierBits[code] = uint64_t{1} << modifierBits.size();
}

void LowerBound::addSwitch(int32_t code) {
    if (!modifierBits.count(code) && !switchBits.count(code))
        switchBits[code] = uint64_t{1} << switchBits.size();
}

void LowerBound::addSwitchGroup(const std::set<int32_t>& codes) {
    uint64_t group = 0;
    for (int32_t code : codes) {
        if (modifierBits.count(code) || switchBits.count(code))
            continue;
        addSwitch(code);
        group |= switchBits[code];
    }
    if (group)
        groups.push_back(group);
}

uint64_t LowerBound::masks(const std::set<int32_t>& reformers, uint64_t& switchMask, int& modifierCount) const {
    uint64_t modifierMask = 0;
    switchMask = 0;
    modifierCount = 0;
    for (int32_t code : reformers) {
        auto m = modifierBits.find(code);
        if (m != modifierBits.end()) {
            modifierMask |= m->second;
            ++modifierCount;
        } else {
            switchMask |= switchBits.at(code);
        }
    }
    return modifierMask;
}

void LowerBound::addKeyCombo(const std::string& layer, int32_t key, const std::set<int32_t>& reformers,
                             int32_t down, int32_t pressedCommand, int32_t up) {
    KeyRule rule{};
    int modifierCount = 0;
    rule.modifiers = masks(reformers, rule.switches, modifierCount);
    rule.down = down;
    rule.pressed = pressedCommand;
    rule.up = up;
    insertRule(layers.at(layer).rules[key].keys, static_cast<int>(reformers.size()), rule);
}

void LowerBound::addAxisCombo(const std::string& layer, int32_t axis, const std::set<int32_t>& reformers,
                              int32_t command, Filter* filter) {
    AxisRule rule{};
    rule.modifiers = masks(reformers, rule.switches, rule.modifierCount);
    rule.command = command;
    rule.filter = Mem::Ref<Filter>(filter);
    insertRule(layers.at(layer).rules[axis].axes, static_cast<int>(reformers.size()), std::move(rule));
}

void LowerBound::setTopLayer(const std::string& name) { stack.insert(stack.begin(), &layers.at(name)); }

void LowerBound::buildTable() {
    for (const auto& m : modifierBits)
        table[m.first].reformer = true;
    for (const auto& s : switchBits)
        table[s.first].reformer = true;
    for (size_t depth = 0; depth < stack.size(); ++depth) {
        for (const auto& r : stack[depth]->rules)
            table[r.first].bindings.push_back(Binding{depth, &r.second});
    }
    built = true;
}

void LowerBound::handleReformer(const DeviceEvent& event) {
    auto m = modifierBits.find(event.code);
    if (m != modifierBits.end()) {
        pressed = event.value != 0 ? pressed | m->second : pressed & ~m->second;
        return;
    }
    if (event.value == 0)
        return;
    const uint64_t bit = switchBits.at(event.code);
    for (uint64_t group : groups) {
        if (group & bit) {
            active &= ~(group & ~bit);
            break;
        }
    }
    active ^= bit;
}

bool LowerBound::offerKey(Layer& layer, const Rules& rules, const DeviceEvent& event) {
    auto held = std::lower_bound(layer.held.begin(), layer.held.end(), event.code,
                                 [](const Held& h, int32_t code) { return h.code < code; });
    const bool isHeld = held != layer.held.end() && held->code == event.code;
    if (event.value == 0) {
        if (!isHeld)
            return false;
        add(layer.actions, VorlanAction(held->up, event.time, event.device));
        layer.held.erase(held);
        return true;
    }
    for (const auto& r : rules.keys) {
        const KeyRule& rule = r.second;
        if (rule.modifiers != pressed || (rule.switches & ~active) != 0)
            continue;
        const Held entry{event.code, rule.pressed, rule.up, event.time + 1, event.device};
        if (isHeld)
            *held = entry;
        else
            layer.held.insert(held, entry);
        add(layer.actions, VorlanAction(rule.down, event.time, event.device));
        return true;
    }
    return false;
}

bool LowerBound::offerAxis(Layer& layer, const Rules& rules, const DeviceEvent& event) {
    const AxisRule* kept = nullptr;
    for (const auto& r : rules.axes) {
        const AxisRule& rule = r.second;
        if ((rule.modifiers & ~pressed) == 0 && (rule.switches & ~active) == 0
            && (!kept || rule.modifierCount > kept->modifierCount))
            kept = &rule;
    }
    if (!kept)
        return false;
    const int32_t value = kept->filter
        ? truncateToInt32(kept->filter->getValue(static_cast<double>(event.value)))
        : event.value;
    add(layer.actions, VorlanAction(kept->command, value, event.absolute, event.time, event.device));
    return true;
}

bool LowerBound::offer(Layer& layer, const Rules& rules, const DeviceEvent& event) {
    return (!rules.keys.empty() && offerKey(layer, rules, event)) || offerAxis(layer, rules, event);
}

void LowerBound::process(const DeviceEventList& events, std::vector<VorlanAction>& out) {
    out.clear();
    if (stack.empty())
        return;
    if (!built)
        buildTable();
    deferred.clear();
    for (const DeviceEvent& event : events) {
        const Entry* entry = table.find(event.code);
        if (!entry)
            continue;
        if (entry->reformer) {
            handleReformer(event);
            continue;
        }
        size_t next = 0;
        if (entry->bindings[0].depth == 0 && offer(*stack[0], *entry->bindings[0].rules, event))
            continue;
        if (entry->bindings[0].depth == 0)
            next = 1;
        if (next < entry->bindings.size())
            deferred.push_back(Deferred{&event, entry, next});
    }
    for (const Deferred& d : deferred) {
        for (size_t b = d.next; b < d.entry->bindings.size(); ++b) {
            const Binding& binding = d.entry->bindings[b];
            if (offer(*stack[binding.depth], *binding.rules, *d.event))
                break;
        }
    }
    for (Layer* layer : stack) {
        out.insert(out.end(), layer->actions.begin(), layer->actions.end());
        layer->actions.clear();
        for (const Held& held : layer->held)
            add(out, VorlanAction(held.pressed, held.time, held.device));
    }
}
