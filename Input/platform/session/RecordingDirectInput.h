#ifndef VORLAN_PLATFORM_SESSION_RECORDINGDIRECTINPUT_H
#define VORLAN_PLATFORM_SESSION_RECORDINGDIRECTINPUT_H

#include "platform/directinput/System.h"
#include "platform/session/Recorder.h"

#include <memory>

namespace DirectInput {

// A System that passes every call to inner and tells the recorder what the
// devices are and what they answered; both must outlive it. Besides the caller's calls it asks each
// device once, when first created, for its capabilities and all its objects,
// so that the session can describe it.
std::unique_ptr<System> makeRecordingSystem(System& inner, Session::Recorder& recorder);

} // namespace DirectInput

#endif
