#include "core/KeyNames.h"

#include <algorithm>
#include <iterator>

namespace {

struct KeyName {
    uint32_t code;
    const char* name;
};

#define VORLAN_KEY_NAME(code, name) {code, "KEY_" #name},
constexpr KeyName keyNames[] = {VORLAN_KEYS(VORLAN_KEY_NAME)};
#undef VORLAN_KEY_NAME

} // namespace

const char* keyName(uint32_t code) {
    const KeyName* end = std::end(keyNames);
    const KeyName* found =
        std::lower_bound(std::begin(keyNames), end, code, [](const KeyName& k, uint32_t c) { return k.code < c; });
    return found != end && found->code == code ? found->name : "KEY_UNKNOWN";
}
