#ifndef VORLAN_BINDINGS_COMBOLIST_H
#define VORLAN_BINDINGS_COMBOLIST_H

#include "bindings/ReformerSummary.h"

#include <algorithm>
#include <vector>

// The combos of one code, most reformers first and, among equal counts, the
// latest added first, so that a walk in order meets the most specific combo
// first. Works for key and axis combos alike. The summaries of the combos'
// reformers are kept in a separate compact array, so a walk reads the combos
// themselves only where a summary passes.
template <class Combo>
class ComboList {
public:
    // Refused (returns false) when a combo with the same modifiers and
    // switches is already there: the earlier one stays as it is.
    bool add(Combo combo) {
        for (const Combo& c : combos) {
            if (c.modifiers == combo.modifiers && c.switches == combo.switches)
                return false;
        }
        const size_t count = reformerCount(combo);
        const size_t at = static_cast<size_t>(
            std::find_if(combos.begin(), combos.end(),
                         [count](const Combo& c) { return reformerCount(c) <= count; })
            - combos.begin());
        summaries.insert(summaries.begin() + at, ReformerSummary(combo.modifiers, combo.switches));
        combos.insert(combos.begin() + at, std::move(combo));
        return true;
    }

    size_t size() const { return combos.size(); }
    const Combo& operator[](size_t i) const { return combos[i]; }
    const ReformerSummary& summary(size_t i) const { return summaries[i]; }

private:
    static size_t reformerCount(const Combo& c) { return c.modifiers.size() + c.switches.size(); }

    std::vector<ReformerSummary> summaries;
    std::vector<Combo> combos;
};

#endif
