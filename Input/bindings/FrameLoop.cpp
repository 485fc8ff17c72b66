#include "bindings/FrameLoop.h"

namespace {

// One layer's pass. The kept events are moved up in place, so the list is
// compacted in one sweep without allocating. Reformer events are all consumed
// during the top layer's pass, so the lower passes skip those two lookups.
void offerEvents(Layer& layer, bool isTop, Reformers& reformers, DeviceEventList& events,
                 std::vector<VorlanAction>& out) {
    size_t kept = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const DeviceEvent& event = events[i];
        const bool consumed =
            (isTop && (reformers.handleModifier(event) || reformers.handleSwitch(event)))
            || layer.handleEvent(event, reformers, out);
        if (!consumed) {
            if (kept != i)
                events[kept] = event;
            ++kept;
        }
    }
    events.resize(kept);
}

} // namespace

void runFrame(const std::vector<Mem::Ref<Layer>>& stack, Reformers& reformers,
              DeviceEventList& events, std::vector<VorlanAction>& out) {
    bool isTop = true;
    for (const Mem::Ref<Layer>& layer : stack) {
        if (!events.empty())
            offerEvents(*layer, isTop, reformers, events, out);
        layer->sendPressed(out);
        isTop = false;
    }
}
