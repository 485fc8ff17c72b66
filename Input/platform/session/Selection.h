#ifndef VORLAN_PLATFORM_SESSION_SELECTION_H
#define VORLAN_PLATFORM_SESSION_SELECTION_H

#include "platform/directinput/System.h"

#include <memory>
#include <string>

namespace Session {

// DirectInput8Create as the environment selects it: with VORLAN_REPLAY=FILE
// the System of the replayed session (the platform's is not made), else
// platform's; with VORLAN_RECORD=FILE that System wrapped by a recorder
// writing FILE. An empty variable counts as unset. On failure system is left
// empty, and failure holds a message when the session could not be read or
// written.
DirectInput::HResult createSystem(const DirectInput::Backend& platform, std::unique_ptr<DirectInput::System>& system,
                                  std::string& failure);

} // namespace Session

#endif
