#ifndef VORLAN_PLATFORM_NATIVECONTEXT_H
#define VORLAN_PLATFORM_NATIVECONTEXT_H

#include "platform/Context.h"

namespace Platform {

// The platform's own context (a ContextMaker): the host executable's
// DirectInput, the client library where the system configures it, and the
// system's tick count; no frame boundary. Where the platform has no
// DirectInput, failure says how to replay a session instead.
DirectInput::HResult createNativeContext(std::unique_ptr<Context>& context, std::string& failure);

} // namespace Platform

#endif
