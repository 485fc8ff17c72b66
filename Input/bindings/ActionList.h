#ifndef VORLAN_BINDINGS_ACTIONLIST_H
#define VORLAN_BINDINGS_ACTIONLIST_H

#include "VorlanAction.h"

#include <cstdint>
#include <vector>

// The one way the engine produces an action: appends it when its number is
// greater than 0 and writes the "Action added: " log line in any case.
void addAction(std::vector<VorlanAction>& out, const VorlanAction& action);

#endif
