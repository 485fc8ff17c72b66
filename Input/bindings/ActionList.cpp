#include "bindings/ActionList.h"

#include "core/Log.h"

void addAction(std::vector<VorlanAction>& out, const VorlanAction& action) {
    if (action.getAction() > 0)
        out.push_back(action);
    logAction(action);
}
