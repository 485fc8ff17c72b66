#include "bindings/StackTable.h"

#include <map>

void StackTable::build(const std::vector<Mem::Ref<Layer>>& stack, const Reformers& reformers) {
    std::map<int32_t, std::vector<Binding>> byCode;
    for (uint32_t depth = 0; depth < stack.size(); ++depth) {
        stack[depth]->forEachBinding([&](int32_t code, const Layer::Bindings& found) {
            byCode[code].push_back(Binding{depth, &found});
        });
    }
    entries = CodeMap<Entry>();
    bindings.clear();
    for (const auto& code : byCode) {
        Entry& entry = entries[code.first];
        entry.first = static_cast<uint32_t>(bindings.size());
        bindings.insert(bindings.end(), code.second.begin(), code.second.end());
        entry.end = static_cast<uint32_t>(bindings.size());
    }
    for (const CodeSet* declared : {&reformers.declaredModifiers(), &reformers.declaredSwitches()}) {
        for (int32_t code : *declared)
            entries[code].reformer = true;
    }
}
