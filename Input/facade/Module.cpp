#include "facade/Module.h"

#include "Vorlan.h"
#include "facade/State.h"

namespace {

Vorlan* instance = nullptr;

} // namespace

void Module::attach() {
    facadeState();
    if (!instance)
        instance = new Vorlan;
}

void Module::detach() {
    delete instance;
    instance = nullptr;
}

Vorlan* getGlobalInput() { return instance; }
