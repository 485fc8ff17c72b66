#ifndef VORLAN_BINDINGS_COMBOLIST_H
#define VORLAN_BINDINGS_COMBOLIST_H

#include "bindings/ReformerSummary.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The combos of one code, most reformers first and, among equal counts, the
// latest added first, so that a walk in order meets the most specific combo
// first. Works for key and axis combos alike.
//
// Beside the list, the steps of a walk: the combos' reformer summaries ordered
// by modifier count, most first, and in list order among equal counts. A key
// combo needs exactly as many modifiers as are held, an axis combo at most as
// many, and among axis candidates the most modifiers win, so each walk covers
// only the combos that can match and the first match is the answer.
template <class Combo>
class ComboList {
public:
    struct Step {
        ReformerSummary summary;
        uint32_t combo;  // the combo's place in the list
        uint32_t modifierCount;
    };
    struct Steps {
        const Step* first;
        const Step* last;
        const Step* begin() const { return first; }
        const Step* end() const { return last; }
    };

    // Refused (returns false) when a combo with the same modifiers and
    // switches is already there: the earlier one stays as it is.
    bool add(Combo combo) {
        for (const Combo& c : combos) {
            if (c.modifiers == combo.modifiers && c.switches == combo.switches)
                return false;
        }
        const size_t count = reformerCount(combo);
        const auto at = static_cast<uint32_t>(
            std::find_if(combos.begin(), combos.end(), [count](const Combo& c) { return reformerCount(c) <= count; })
            - combos.begin());
        const auto modifierCount = static_cast<uint32_t>(combo.modifiers.size());
        for (Step& step : steps)
            step.combo += step.combo >= at ? 1 : 0;
        const auto stepAt = std::find_if(steps.begin(), steps.end(), [&](const Step& s) {
            return s.modifierCount < modifierCount || (s.modifierCount == modifierCount && s.combo > at);
        });
        steps.insert(stepAt, Step{ReformerSummary(combo.modifiers, combo.switches), at, modifierCount});
        combos.insert(combos.begin() + at, std::move(combo));
        firstPlain = static_cast<uint32_t>(startOf(0) - steps.data());
        return true;
    }

    size_t size() const { return combos.size(); }
    const Combo& operator[](size_t i) const { return combos[i]; }

    // The steps of the combos that need at most `n` modifiers.
    Steps needingAtMost(size_t n) const {
        return {n == 0 ? steps.data() + firstPlain : startOf(n), steps.data() + steps.size()};
    }
    // The steps of the combos that need exactly `n` modifiers.
    Steps needing(size_t n) const {
        const Steps atMost = needingAtMost(n);
        if (n == 0)
            return atMost;
        return {atMost.first,
                std::partition_point(atMost.first, atMost.last, [n](const Step& s) { return s.modifierCount == n; })};
    }

private:
    static size_t reformerCount(const Combo& c) { return c.modifiers.size() + c.switches.size(); }
    // The first step that needs at most `n` modifiers.
    const Step* startOf(size_t n) const {
        return std::partition_point(steps.data(), steps.data() + steps.size(),
                                    [n](const Step& s) { return s.modifierCount > n; });
    }

    std::vector<Combo> combos;
    std::vector<Step> steps;
    // startOf(0), kept at hand: most of the time no modifier is held.
    uint32_t firstPlain = 0;
};

#endif
