#ifndef VORLAN_PLATFORM_SESSION_SELECTION_H
#define VORLAN_PLATFORM_SESSION_SELECTION_H

#include "platform/Context.h"

#include <memory>
#include <string>

namespace Session {

// The one place where the library's platform is chosen, when it is
// initialised: with VORLAN_REPLAY=FILE the context of the replayed session
// (platform is not asked), else the one platform makes; with
// VORLAN_RECORD=FILE that context wrapped by a recorder writing FILE. An empty
// variable counts as unset. On failure context is left empty and failure holds
// one line: the session's message when the session could not be read or
// written, else platform's, else the description of the result code.
DirectInput::HResult createContext(const Platform::ContextMaker& platform, std::unique_ptr<Platform::Context>& context,
                                   std::string& failure);

} // namespace Session

#endif
