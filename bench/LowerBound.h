#ifndef VORLAN_BENCH_LOWERBOUND_H
#define VORLAN_BENCH_LOWERBOUND_H

#include "Filter.h"
#include "VorlanAction.h"
#include "bindings/CodeMap.h"
#include "core/DeviceEvent.h"
#include "core/Ref.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The binding engine's frame done the plainest fast way, as the yardstick of
// its speed: the bindings of the whole stack in one flat table, so that an
// event costs one lookup whatever the depth of the stack; reformers as bit
// masks; one pass for the reformers and the top layer, then one pass for the
// events left, judged with the frame's final reformer state, their actions
// gathered per layer and put in the engine's order at the end.
//
// It takes the engine's declaration calls and gives the same actions, within
// these limits: at most 64 modifiers and 64 switches, layers stacked once each
// after all bindings, no combo refused, logging off.
class LowerBound {
public:
    void createLayer(const std::string& name);
    void addModifier(int32_t code);
    void addSwitch(int32_t code);
    void addSwitchGroup(const std::set<int32_t>& codes);
    void addKeyCombo(const std::string& layer, int32_t key, const std::set<int32_t>& reformers, int32_t down,
                     int32_t pressed, int32_t up);
    void addAxisCombo(const std::string& layer, int32_t axis, const std::set<int32_t>& reformers,
                      int32_t command, Filter* filter);
    void setTopLayer(const std::string& name);

    void process(const DeviceEventList& events, std::vector<VorlanAction>& out);

private:
    struct KeyRule {
        uint64_t modifiers, switches;
        int32_t down, pressed, up;
    };
    struct AxisRule {
        uint64_t modifiers, switches;
        int modifierCount;
        int32_t command;
        Mem::Ref<Filter> filter;
    };
    // One layer's combos of one code, most reformers first, later ones first
    // among equal counts.
    struct Rules {
        std::vector<std::pair<int, KeyRule>> keys;  // with the reformer count
        std::vector<std::pair<int, AxisRule>> axes;
    };
    struct Held {
        int32_t code, pressed, up;
        uint32_t time, device;
    };
    struct Layer {
        std::map<int32_t, Rules> rules;
        std::vector<Held> held;  // ascending codes
        std::vector<VorlanAction> actions;
    };
    struct Binding {
        size_t depth;
        const Rules* rules;
    };
    struct Entry {
        bool reformer = false;
        std::vector<Binding> bindings;  // top first
    };
    struct Deferred {
        const DeviceEvent* event;
        const Entry* entry;
        size_t next;
    };

    uint64_t masks(const std::set<int32_t>& reformers, uint64_t& switchMask, int& modifierCount) const;
    void buildTable();
    void handleReformer(const DeviceEvent& event);
    bool offer(Layer& layer, const Rules& rules, const DeviceEvent& event);
    bool offerKey(Layer& layer, const Rules& rules, const DeviceEvent& event);
    bool offerAxis(Layer& layer, const Rules& rules, const DeviceEvent& event);

    std::map<std::string, Layer> layers;
    std::vector<Layer*> stack;  // top first
    std::map<int32_t, uint64_t> modifierBits, switchBits;
    std::vector<uint64_t> groups;
    uint64_t pressed = 0, active = 0;
    CodeMap<Entry> table;
    bool built = false;
    std::vector<Deferred> deferred;
};

#endif
