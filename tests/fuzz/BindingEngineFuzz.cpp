// The binding engine under random declarations, combos, layer operations and
// events. Key combos without reformers on keys 10 to 17 (commands below 100)
// follow the reference model; everything else (modifiers that no event
// presses, switches and switch groups with their own keys, combos with
// reformers, axis combos with filters) runs beside them with commands from
// 100 up, and must neither crash nor change what the model predicts.
#include "Filter.h"
#include "Vorlan.h"
#include "bindings/BindingEngine.h"
#include "support/BindingModel.h"
#include "FuzzBytes.h"

#include <cstdlib>
#include <iostream>
#include <set>

namespace {

using namespace BindingModel;

const std::string names[] = {"L0", "L1", "L2", "L3"};
constexpr int32_t ModelKey = 10, ReformerKey = 50, OtherKey = 20, Axis = 4096;
constexpr int32_t OtherCommands = 100;

std::set<int32_t> codes(FuzzBytes& in, int32_t first) {
    std::set<int32_t> set;
    for (size_t n = in.pick(4); n > 0; --n)
        set.insert(first + static_cast<int32_t>(in.pick(8)));
    return set;
}

FilterInfo filter(FuzzBytes& in) {
    FilterInfo info;
    if (in.pick(2) == 0)
        return info;
    info.deadzone = in.float64();
    info.saturationX = in.float64();
    info.saturationY = in.float64();
    info.slider = in.pick(2) != 0;
    info.invert = in.pick(2) != 0;
    info.curvature.clear();
    for (size_t n = in.pick(6); n > 0; --n)
        info.curvature.push_back(in.float64());
    return info;
}

// The actions of the model's commands, in the order the engine sent them.
std::vector<VorlanAction> modelled(const std::vector<VorlanAction>& actions) {
    std::vector<VorlanAction> kept;
    for (const VorlanAction& action : actions)
        if (action.getAction() < OtherCommands)
            kept.push_back(action);
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vorlan::enableLogging(false, false, false);
    FuzzBytes in(data, size);
    BindingEngine engine;
    Model model;
    std::vector<VorlanAction> out;
    uint32_t time = 1000;
    while (!in.empty()) {
        const std::string& name = names[in.pick(4)];
        switch (in.pick(12)) {
        case 0:
            engine.createLayer(name);
            model.layers[name];
            break;
        case 1: {
            const int32_t code = ModelKey + static_cast<int32_t>(in.pick(8));
            const Commands commands{int32_t(in.pick(12)) - 2, int32_t(in.pick(12)) - 2, int32_t(in.pick(12)) - 2};
            engine.addKeyCombo(name, code, {}, commands[0], commands[1], commands[2]);
            if (model.layers.count(name))
                model.layers[name].combos.insert({code, commands});
            break;
        }
        case 2: {
            const std::set<int32_t> reformers = codes(in, ReformerKey);
            const int32_t command = OtherCommands + static_cast<int32_t>(in.pick(8));
            engine.addKeyCombo(name, OtherKey + static_cast<int32_t>(in.pick(8)), reformers, command, command + 1, command + 2);
            break;
        }
        case 3: {
            const std::set<int32_t> reformers = codes(in, ReformerKey);
            const FilterInfo info = filter(in);
            engine.addAxisCombo(name, Axis + static_cast<int32_t>(in.pick(4)), reformers,
                                OtherCommands + static_cast<int32_t>(in.pick(8)), createFilter(info));
            break;
        }
        case 4:  // modifiers on keys that no event presses, so that no modifier is ever held
            engine.addModifier(ReformerKey + 100 + static_cast<int32_t>(in.pick(8)));
            break;
        case 5:
            in.pick(2) ? engine.addSwitch(ReformerKey + static_cast<int32_t>(in.pick(8)))
                       : engine.addSwitchGroup(codes(in, ReformerKey));
            break;
        case 6:
            engine.clearReformers();
            break;
        case 7: {  // setTopLayer is removeLayer, then a push on top
            const bool top = in.pick(4) != 0;
            top ? engine.setTopLayer(name) : engine.removeLayer(name);
            model.removeLayer(name);
            if (top && model.layers.count(name))
                model.stack.insert(model.stack.begin(), name);
            break;
        }
        case 8:
            engine.releaseAll();
            for (const std::string& stacked : model.stack)
                model.release(model.layers[stacked]);
            break;
        case 9:
            engine.removeAllLayers();
            model = Model();
            break;
        default: {
            DeviceEventList events;
            for (size_t n = in.pick(6); n > 0; --n) {
                const size_t kind = in.pick(4);
                const int32_t code = kind == 0 ? ReformerKey + int32_t(in.pick(8))
                                   : kind == 1 ? OtherKey + int32_t(in.pick(8))
                                   : kind == 2 ? Axis + int32_t(in.pick(4))
                                               : ModelKey + int32_t(in.pick(8));
                const int32_t value = kind == 2 ? in.int32() : int32_t(in.pick(2));
                events.push_back({code, value, kind == 2 && in.pick(2), time += uint32_t(in.pick(3)), 4096 * uint32_t(in.pick(2))});
            }
            const std::string expected = describe(model.process(events));
            engine.process(events, out);
            const std::string got = describe(modelled(out));
            if (got != expected || engine.getLayersStack() != model.stack) {
                std::cerr << "engine: " << got << "\nmodel:  " << expected << '\n';
                std::abort();
            }
        }
        }
    }
    return 0;
}
