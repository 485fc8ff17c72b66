#ifndef VORLAN_BINDINGS_ACTIONLIST_H
#define VORLAN_BINDINGS_ACTIONLIST_H

#include "VorlanAction.h"
#include "core/Log.h"

#include <cstdint>
#include <vector>

// Where the engine's actions go. addAction is the one way the engine produces
// an action: it appends it when its number is greater than 0 and writes the
// "Action added: " log line in any case, as the switches allow. Whether the
// line can have any effect is read once, when the list is made: the switches
// and the log path cannot change while the engine works, and with logging off
// no action costs a call.
class ActionList {
public:
    explicit ActionList(std::vector<VorlanAction>& actions) : actions(actions), logging(isActionLogNeeded()) {}

    void addAction(const VorlanAction& action) {
        if (action.getAction() > 0)
            actions.push_back(action);
        if (logging)
            logAction(action);
    }

private:
    std::vector<VorlanAction>& actions;
    bool logging;
};

#endif
