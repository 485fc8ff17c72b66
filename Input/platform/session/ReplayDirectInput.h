#ifndef VORLAN_PLATFORM_SESSION_REPLAYDIRECTINPUT_H
#define VORLAN_PLATFORM_SESSION_REPLAYDIRECTINPUT_H

#include "platform/directinput/System.h"
#include "platform/session/Replay.h"

#include <memory>

namespace DirectInput {

// The DirectInput of a replayed session, which must outlive it. Enumeration lists the session's devices in
// their order; CreateDevice answers the session's result (DIERR_DEVICENOTREG
// for a GUID the session does not declare); capabilities and objects are the
// session's; Poll, GetDeviceData and a joystick's GetDeviceState answer the
// current frame (a keyboard or mouse state is at rest); every other call
// succeeds.
std::unique_ptr<System> makeReplaySystem(Session::Replay& replay);

} // namespace DirectInput

#endif
