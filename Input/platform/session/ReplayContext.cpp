#include "platform/session/ReplayContext.h"

#include "platform/session/ReplayDirectInput.h"

namespace Session {

ReplayContext::ReplayContext(Data data)
    : replay(std::move(data)), client(replay), system(DirectInput::makeReplaySystem(replay)) {}

} // namespace Session
