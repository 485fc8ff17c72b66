#ifndef VORLAN_BINDINGS_FRAMELOOP_H
#define VORLAN_BINDINGS_FRAMELOOP_H

#include "bindings/ActionList.h"
#include "bindings/Layer.h"
#include "bindings/Reformers.h"
#include "bindings/StackTable.h"
#include "core/DeviceEvent.h"
#include "core/Ref.h"

#include <cstdint>
#include <vector>

// One frame of event processing: the layers of the stack, top first, are
// offered the events still in the list, in list order. Reformer events update
// the reformers during the top layer's pass; the first layer whose combo
// matches an event consumes it; after its events each layer sends the pressed
// commands of its held keys. Consumed events leave the list.
//
// Each event is looked up once in the stack table, which lists the layers that
// bind its code; an event a layer passes on waits, by index, for the next of
// those layers, so a layer's pass does no lookup for codes it does not bind.
class FrameLoop {
public:
    // The stack, a binding or a reformer declaration has changed.
    void invalidate() { stale = true; }

    void run(const std::vector<Mem::Ref<Layer>>& stack, Reformers& reformers, DeviceEventList& events,
             ActionList& out);

private:
    // An event waiting for a layer: its index in the list, the position of
    // that layer's binding in the stack table and the layer's depth.
    struct Waiting {
        uint32_t event;
        uint32_t binding;
        uint32_t end;  // the end of the code's bindings
        uint32_t depth;
    };

    bool offer(const std::vector<Mem::Ref<Layer>>& stack, const Reformers& reformers, const DeviceEventList& events,
               Waiting& w, ActionList& out);

    StackTable table;
    bool stale = true;
    std::vector<Waiting> waiting;   // in list order
    std::vector<uint8_t> consumed;  // by event index
};

#endif
