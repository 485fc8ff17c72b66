#ifndef VORLAN_BINDINGS_REFORMERSUMMARY_H
#define VORLAN_BINDINGS_REFORMERSUMMARY_H

#include "bindings/CodeSet.h"

#include <cstdint>

// Modifier and switch sets folded into one bit per code (code mod 64). Equal
// sets have equal summaries and a subset's bits lie within its superset's, so
// comparing two words rules out most combos without reading their sets. While
// every reformer code ever declared has a bit of its own, a summary that passes
// is the answer (Reformers::isExact); otherwise it is confirmed on the sets.
struct ReformerSummary {
    uint64_t modifiers = 0;
    uint64_t switches = 0;

    ReformerSummary() = default;
    ReformerSummary(const CodeSet& modifierSet, const CodeSet& switchSet)
        : modifiers(bitsOf(modifierSet)), switches(bitsOf(switchSet)) {}

    // Necessary for a key combo: exactly its modifiers held, its switches on.
    bool mayMatch(const ReformerSummary& held) const {
        return modifiers == held.modifiers && (switches & ~held.switches) == 0;
    }
    // Necessary for an axis combo: its modifiers held, its switches on.
    bool mayBeCandidate(const ReformerSummary& held) const {
        return (modifiers & ~held.modifiers) == 0 && (switches & ~held.switches) == 0;
    }

    static uint64_t bitOf(int32_t code) { return uint64_t{1} << (static_cast<uint32_t>(code) & 63u); }
    static uint64_t bitsOf(const CodeSet& set) {
        uint64_t bits = 0;
        for (int32_t code : set)
            bits |= bitOf(code);
        return bits;
    }
};

#endif
