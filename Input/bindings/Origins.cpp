#include "bindings/Origins.h"

#include "core/Diagnostics.h"

namespace {

template <class Key>
void noteSite(std::map<Key, VorlanOrigin>& origins, const Key& key) {
    if (Diagnostics::enabled())
        origins.emplace(key, Diagnostics::site());
}

template <class Key>
VorlanOrigin find(const std::map<Key, VorlanOrigin>& origins, const Key& key) {
    const auto found = origins.find(key);
    return found == origins.end() ? VorlanOrigin() : found->second;
}

} // namespace

void Origins::noteLayer(const std::string& name) { noteSite(layers, name); }

void Origins::noteReformer(int32_t code) { noteSite(reformers, code); }

void Origins::noteCombo(const std::string& layer, bool axis, int32_t code, const CodeSet& modifiers,
                        const CodeSet& switches) {
    noteSite(combos, ComboKey(layer, axis, code, modifiers, switches));
}

void Origins::forgetLayers() {
    layers.clear();
    combos.clear();
}

VorlanOrigin Origins::layer(const std::string& name) const { return find(layers, name); }

VorlanOrigin Origins::reformer(int32_t code) const { return find(reformers, code); }

VorlanOrigin Origins::combo(const std::string& layer, bool axis, int32_t code, const CodeSet& modifiers,
                            const CodeSet& switches) const {
    return find(combos, ComboKey(layer, axis, code, modifiers, switches));
}
