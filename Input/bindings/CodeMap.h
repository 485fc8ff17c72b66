#ifndef VORLAN_BINDINGS_CODEMAP_H
#define VORLAN_BINDINGS_CODEMAP_H

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A hash map from code to T for the per-event lookups: open addressing with
// linear probing over a power-of-two table of small slots, at most a quarter full,
// so a lookup is a multiply, a shift and usually one slot read. Entries are
// only ever added.
template <class T>
class CodeMap {
public:
    // The value of `code`, or null.
    const T* find(int32_t code) const {
        if (slots.empty())
            return nullptr;
        const Slot& slot = slots[slotOf(code)];
        return slot.index == emptySlot ? nullptr : &values[slot.index];
    }

    // The value of `code`, default-made on first use.
    T& operator[](int32_t code) {
        if ((values.size() + 1) * 4 > slots.size())
            grow();
        Slot& slot = slots[slotOf(code)];
        if (slot.index == emptySlot) {
            slot = Slot{code, static_cast<uint32_t>(values.size())};
            codes.push_back(code);
            values.emplace_back();
        }
        return values[slot.index];
    }

    // Calls visit(code, value) for every entry, in the order added.
    template <class Visit>
    void forEach(const Visit& visit) const {
        for (size_t i = 0; i < codes.size(); ++i)
            visit(codes[i], values[i]);
    }

private:
    struct Slot {
        int32_t code;
        uint32_t index;  // into values, or emptySlot
    };
    static constexpr uint32_t emptySlot = UINT32_MAX;

    // The slot holding `code`, or the empty slot where it would go.
    size_t slotOf(int32_t code) const {
        const size_t mask = slots.size() - 1;
        // Fibonacci hashing spreads neighbouring codes over the whole table.
        size_t i = (static_cast<uint32_t>(code) * 2654435769u) >> shift;
        while (slots[i].index != emptySlot && slots[i].code != code)
            i = (i + 1) & mask;
        return i;
    }

    void grow() {
        const size_t size = slots.empty() ? 16 : slots.size() * 2;
        shift = 32;
        for (size_t s = size; s > 1; s >>= 1)
            --shift;
        slots.assign(size, Slot{0, emptySlot});
        for (uint32_t index = 0; index < codes.size(); ++index)
            slots[slotOf(codes[index])] = Slot{codes[index], index};
    }

    std::vector<Slot> slots;
    std::vector<int32_t> codes;  // the code of each value
    std::vector<T> values;
    unsigned shift = 32;
};

#endif
