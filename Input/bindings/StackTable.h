#ifndef VORLAN_BINDINGS_STACKTABLE_H
#define VORLAN_BINDINGS_STACKTABLE_H

#include "bindings/CodeMap.h"
#include "bindings/Layer.h"
#include "bindings/Reformers.h"
#include "core/Ref.h"

#include <cstdint>
#include <vector>

// For every code that is a reformer or that a layer of the stack binds, the
// stacked layers that bind it, top first: a frame looks each event up once for
// the whole stack, and a layer sees only the events of codes it binds. It
// points into the layers' bindings, so it is rebuilt whenever the stack, a
// binding or a reformer declaration has changed.
class StackTable {
public:
    struct Binding {
        uint32_t depth;  // the layer's place on the stack, 0 on top
        const Layer::Bindings* bindings;
    };
    struct Entry {
        bool reformer = false;  // a declared modifier or switch: its events go to the reformers
        uint32_t first = 0;     // the code's bindings are binding(first) to binding(end - 1)
        uint32_t end = 0;
    };

    void build(const std::vector<Mem::Ref<Layer>>& stack, const Reformers& reformers);

    // The entry of `code`, or null when no stacked layer binds it and it is no reformer.
    const Entry* find(int32_t code) const { return entries.find(code); }
    const Binding& binding(uint32_t i) const { return bindings[i]; }

private:
    CodeMap<Entry> entries;
    std::vector<Binding> bindings;
};

#endif
