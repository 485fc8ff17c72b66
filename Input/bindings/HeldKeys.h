#ifndef VORLAN_BINDINGS_HELDKEYS_H
#define VORLAN_BINDINGS_HELDKEYS_H

#include <algorithm>
#include <cstdint>
#include <vector>

// A key whose down event a layer bound and whose up event has not come yet.
struct HeldKey {
    int32_t code = 0;
    int32_t pressed = 0;  // sent once per frame while held; 0: none
    int32_t up = 0;       // sent on release or when the layer lets go; 0: none
    uint32_t time = 0;    // the down event's time plus 1
    uint32_t device = 0;  // the down event's device
};

// A layer's held keys in ascending key-code order. A sorted vector: only a few
// keys are held at once, it is walked every frame, and it keeps its storage
// from press to press.
class HeldKeys {
public:
    using const_iterator = std::vector<HeldKey>::const_iterator;

    // Replaces an entry left from an earlier press of the same key.
    void hold(const HeldKey& key) {
        auto at = lowerBound(key.code);
        if (at != keys.end() && at->code == key.code)
            *at = key;
        else
            keys.insert(at, key);
    }

    // The entry of `code`, or null.
    const HeldKey* find(int32_t code) const {
        auto at = std::lower_bound(keys.begin(), keys.end(), code,
                                   [](const HeldKey& k, int32_t c) { return k.code < c; });
        return at != keys.end() && at->code == code ? &*at : nullptr;
    }

    void erase(int32_t code) {
        auto at = lowerBound(code);
        if (at != keys.end() && at->code == code)
            keys.erase(at);
    }

    void clear() { keys.clear(); }

    const_iterator begin() const { return keys.begin(); }
    const_iterator end() const { return keys.end(); }

private:
    std::vector<HeldKey>::iterator lowerBound(int32_t code) {
        return std::lower_bound(keys.begin(), keys.end(), code,
                                [](const HeldKey& k, int32_t c) { return k.code < c; });
    }

    std::vector<HeldKey> keys;
};

#endif
