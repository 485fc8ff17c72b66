#ifndef VORLAN_BINDINGS_ORIGINS_H
#define VORLAN_BINDINGS_ORIGINS_H

#include "bindings/CodeSet.h"
#include "VorlanBindings.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

// Where the engine's layers, reformers and combos were made: the call site of
// the diagnostics, noted only while they are on. Kept apart from the bindings
// so that the per-event data stays as it is.
class Origins {
public:
    // Each keeps the first site noted for its thing.
    void noteLayer(const std::string& name);
    void noteReformer(int32_t code);
    void noteCombo(const std::string& layer, bool axis, int32_t code, const CodeSet& modifiers,
                   const CodeSet& switches);
    void forgetLayers();

    // Each gives an empty origin for a thing not noted.
    VorlanOrigin layer(const std::string& name) const;
    VorlanOrigin reformer(int32_t code) const;
    VorlanOrigin combo(const std::string& layer, bool axis, int32_t code, const CodeSet& modifiers,
                       const CodeSet& switches) const;

private:
    using ComboKey = std::tuple<std::string, bool, int32_t, CodeSet, CodeSet>;

    std::map<std::string, VorlanOrigin> layers;
    std::map<int32_t, VorlanOrigin> reformers;
    std::map<ComboKey, VorlanOrigin> combos;
};

#endif
