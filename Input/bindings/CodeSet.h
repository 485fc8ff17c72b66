#ifndef VORLAN_BINDINGS_CODESET_H
#define VORLAN_BINDINGS_CODESET_H

#include <algorithm>
#include <cstdint>
#include <vector>

// An ordered set of codes kept as a sorted vector: the sets on the per-event
// path hold a handful of codes, and a contiguous array compares and searches
// them faster than a node-based set.
using CodeSet = std::vector<int32_t>;

inline bool contains(const CodeSet& set, int32_t code) {
    return std::binary_search(set.begin(), set.end(), code);
}

// Whether every code of `part` is in `whole`.
inline bool containsAll(const CodeSet& whole, const CodeSet& part) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

// Returns whether the code was added.
inline bool insertCode(CodeSet& set, int32_t code) {
    auto at = std::lower_bound(set.begin(), set.end(), code);
    if (at != set.end() && *at == code)
        return false;
    set.insert(at, code);
    return true;
}

inline void eraseCode(CodeSet& set, int32_t code) {
    auto at = std::lower_bound(set.begin(), set.end(), code);
    if (at != set.end() && *at == code)
        set.erase(at);
}

#endif
