#include "facade/Module.h"
#include "facade/State.h"

namespace {

// Load and unload of the shared object. The state is built before the
// instance, so it is destroyed after it.
struct Loader {
    Loader() {
        facadeState();
        Module::attach();
    }
    ~Loader() { Module::detach(); }
} loader;

} // namespace
