#ifndef VORLAN_BINDINGS_FRAMELOOP_H
#define VORLAN_BINDINGS_FRAMELOOP_H

#include "bindings/Layer.h"
#include "bindings/Reformers.h"
#include "core/DeviceEvent.h"
#include "core/Ref.h"
#include "VorlanAction.h"

#include <vector>

// One frame of event processing: the layers of `stack`, top first, are offered
// the events still in `events`, in list order. Reformer events update
// `reformers`; the first layer whose combo matches an event consumes it; after
// its events each layer sends the pressed commands of its held keys. Consumed
// events leave the list; produced actions are appended to `out`.
void runFrame(const std::vector<Mem::Ref<Layer>>& stack, Reformers& reformers,
              DeviceEventList& events, std::vector<VorlanAction>& out);

#endif
