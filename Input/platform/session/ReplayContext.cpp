#include "platform/session/ReplayContext.h"

#include "platform/session/ReplayDirectInput.h"

namespace Session {

ReplayContext::ReplayContext(SessionReader reader)
    : replay(std::move(reader)), client(replay), system(DirectInput::makeReplaySystem(replay)) {}

} // namespace Session
