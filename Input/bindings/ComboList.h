#ifndef VORLAN_BINDINGS_COMBOLIST_H
#define VORLAN_BINDINGS_COMBOLIST_H

#include <algorithm>
#include <vector>

// The combos of one code, most reformers first and, among equal counts, the
// latest added first, so that a walk in order meets the most specific combo
// first. Works for key and axis combos alike.
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
        auto at = std::find_if(combos.begin(), combos.end(),
                               [count](const Combo& c) { return reformerCount(c) <= count; });
        combos.insert(at, std::move(combo));
        return true;
    }

    bool empty() const { return combos.empty(); }
    typename std::vector<Combo>::const_iterator begin() const { return combos.begin(); }
    typename std::vector<Combo>::const_iterator end() const { return combos.end(); }

private:
    static size_t reformerCount(const Combo& c) { return c.modifiers.size() + c.switches.size(); }

    std::vector<Combo> combos;
};

#endif
