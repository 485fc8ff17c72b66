#ifndef VORLAN_FACADE_ENGINE_H
#define VORLAN_FACADE_ENGINE_H

class BindingEngine;

namespace Facade {

// The binding engine while the library is initialised, else null. For the
// Lua module's clearReformers, which the facade does not offer.
BindingEngine* engine();

} // namespace Facade

#endif
