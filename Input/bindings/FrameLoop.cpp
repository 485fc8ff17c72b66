#include "bindings/FrameLoop.h"

// Offers the event to the layer of its next binding; true when the event is
// done with: consumed, or passed on by the last layer that binds its code.
bool FrameLoop::offer(const std::vector<Mem::Ref<Layer>>& stack, const Reformers& reformers,
                      const DeviceEventList& events, Waiting& w, ActionList& out) {
    const StackTable::Binding& binding = table.binding(w.binding);
    if (stack[binding.depth]->handleEvent(*binding.bindings, events[w.event], reformers, out)) {
        consumed[w.event] = 1;
        return true;
    }
    if (++w.binding == w.end)
        return true;
    w.depth = table.binding(w.binding).depth;
    return false;
}

// The events that the top layer leaves and a lower layer binds wait in list
// order; each lower pass offers those whose next binding is its own and drops
// those done with.
void FrameLoop::run(const std::vector<Mem::Ref<Layer>>& stack, Reformers& reformers, DeviceEventList& events,
                    ActionList& out) {
    if (stale) {
        table.build(stack, reformers);
        stale = false;
    }
    consumed.assign(events.size(), 0);
    waiting.clear();

    for (uint32_t i = 0; i < events.size(); ++i) {
        const StackTable::Entry* entry = table.find(events[i].code);
        if (!entry)
            continue;
        if (entry->reformer) {
            consumed[i] = reformers.handleModifier(events[i]) || reformers.handleSwitch(events[i]);
            continue;
        }
        if (entry->first == entry->end)
            continue;
        Waiting w{i, entry->first, entry->end, table.binding(entry->first).depth};
        if (w.depth != 0 || !offer(stack, reformers, events, w, out))
            waiting.push_back(w);
    }
    stack[0]->sendPressed(out);

    for (uint32_t depth = 1; depth < stack.size(); ++depth) {
        size_t kept = 0;
        for (Waiting w : waiting) {
            if (w.depth != depth || !offer(stack, reformers, events, w, out))
                waiting[kept++] = w;
        }
        waiting.resize(kept);
        stack[depth]->sendPressed(out);
    }

    size_t kept = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        if (!consumed[i])
            events[kept++] = events[i];
    }
    events.resize(kept);
}
