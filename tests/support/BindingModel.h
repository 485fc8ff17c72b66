#ifndef VORLAN_TESTS_BINDINGMODEL_H
#define VORLAN_TESTS_BINDINGMODEL_H

#include "VorlanAction.h"
#include "core/DeviceEvent.h"
#include "support/Describe.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A reference model of the binding engine for key combos without reformers,
// shared by the engine's randomized test and its fuzzer.
namespace BindingModel {

using Commands = std::array<int32_t, 3>;  // down, pressed, up

// Layers that bind keys without reformers, and which layer holds which key.
struct Model {
    struct Layer {
        std::map<int32_t, Commands> combos;
        std::map<int32_t, std::pair<Commands, DeviceEvent>> held;  // with the down event
    };
    std::map<std::string, Layer> layers;
    std::vector<std::string> stack;  // top first
    std::vector<VorlanAction> pending;

    static void add(std::vector<VorlanAction>& out, int32_t command, const DeviceEvent& e, uint32_t delay = 0) {
        if (command > 0)
            out.emplace_back(command, e.time + delay, e.device);
    }
    // Adds the pressed (1) or up (2) command of every held key.
    static void addHeld(const Layer& layer, size_t which, std::vector<VorlanAction>& out) {
        for (const auto& held : layer.held)
            add(out, held.second.first[which], held.second.second, 1);
    }
    void release(Layer& layer) {
        addHeld(layer, 2, pending);
        layer.held.clear();
    }
    void removeLayer(const std::string& name) {
        if (layers.count(name))
            release(layers[name]);
        stack.erase(std::remove(stack.begin(), stack.end(), name), stack.end());
    }
    std::vector<VorlanAction> process(DeviceEventList events) {
        std::vector<VorlanAction> out = std::exchange(pending, {});
        for (const std::string& name : stack) {
            Layer& layer = layers[name];
            DeviceEventList passed;
            for (const DeviceEvent& e : events) {
                const bool bound = layer.combos.count(e.code) > 0;
                if (bound && e.value) {
                    layer.held[e.code] = {layer.combos[e.code], e};
                    add(out, layer.combos[e.code][0], e);
                } else if (bound && layer.held.count(e.code)) {
                    add(out, layer.held[e.code].first[2], e);
                    layer.held.erase(e.code);
                } else {
                    passed.push_back(e);
                }
            }
            events = passed;
            addHeld(layer, 1, out);
        }
        return out;
    }
};

} // namespace BindingModel

#endif
