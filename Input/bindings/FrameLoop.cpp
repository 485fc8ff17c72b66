#include "bindings/FrameLoop.h"

#include <algorithm>

// Offers event w.event to the layer at `depth` if its binding is next; one it
// passes on waits for the next layer that binds its code.
void FrameLoop::offer(const std::vector<Mem::Ref<Layer>>& stack, const Reformers& reformers,
                      const DeviceEventList& events, Waiting w, uint32_t depth, ActionList& out) {
    const StackTable::Binding& binding = table.binding(w.binding);
    if (binding.depth == depth) {
        if (stack[depth]->handleEvent(*binding.bindings, events[w.event], reformers, out)) {
            consumed[w.event] = 1;
            return;
        }
        if (++w.binding == w.end)
            return;
    }
    const uint32_t next = table.binding(w.binding).depth;
    std::vector<Waiting>& there = waiting[next];
    if (!there.empty() && there.back().event > w.event)
        unordered[next] = 1;
    there.push_back(w);
}

// Events reach a lower layer from several passes above, each in list order;
// sorting by index restores the list order where they interleave.
void FrameLoop::run(const std::vector<Mem::Ref<Layer>>& stack, Reformers& reformers, DeviceEventList& events,
                    ActionList& out) {
    if (stale) {
        table.build(stack, reformers);
        stale = false;
    }
    waiting.resize(stack.size());
    for (std::vector<Waiting>& w : waiting)
        w.clear();
    unordered.assign(stack.size(), 0);
    consumed.assign(events.size(), 0);

    for (uint32_t i = 0; i < events.size(); ++i) {
        const StackTable::Entry* entry = table.find(events[i].code);
        if (!entry)
            continue;
        if (entry->reformer) {
            consumed[i] = reformers.handleModifier(events[i]) || reformers.handleSwitch(events[i]);
            continue;
        }
        if (entry->first != entry->end)
            offer(stack, reformers, events, Waiting{i, entry->first, entry->end}, 0, out);
    }
    stack[0]->sendPressed(out);

    for (uint32_t depth = 1; depth < stack.size(); ++depth) {
        std::vector<Waiting>& here = waiting[depth];
        if (unordered[depth])
            std::sort(here.begin(), here.end(), [](const Waiting& a, const Waiting& b) { return a.event < b.event; });
        for (size_t k = 0; k < here.size(); ++k)
            offer(stack, reformers, events, here[k], depth, out);
        stack[depth]->sendPressed(out);
    }

    size_t kept = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        if (!consumed[i])
            events[kept++] = events[i];
    }
    events.resize(kept);
}
