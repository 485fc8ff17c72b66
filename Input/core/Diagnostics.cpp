#include "core/Diagnostics.h"

#include <utility>

namespace Diagnostics {

namespace {

struct State {
    bool on = false;
    std::vector<VorlanDiagnostic> entries;
    std::size_t dropped = 0;
    VorlanOrigin site;
    Namer code = nullptr;
    Namer command = nullptr;
};

State& state() {
    static State s;
    return s;
}

std::string named(Namer namer, int32_t value) {
    return namer ? namer(value) : std::to_string(value);
}

} // namespace

bool enabled() { return state().on; }

void enable(bool on) { state().on = on; }

void note(const char* operation, std::string text) {
    State& s = state();
    if (s.entries.size() < capacity)
        s.entries.push_back({s.site.file, s.site.line, operation, std::move(text)});
    else
        ++s.dropped;
}

std::vector<VorlanDiagnostic> take() {
    State& s = state();
    std::vector<VorlanDiagnostic> taken = std::exchange(s.entries, {});
    if (s.dropped > 0)
        taken.push_back({"", 0, "", std::to_string(s.dropped) + " more entries were left out"});
    s.dropped = 0;
    return taken;
}

const VorlanOrigin& site() { return state().site; }

SiteScope::SiteScope(VorlanOrigin origin) : previous(std::exchange(state().site, std::move(origin))) {}

SiteScope::~SiteScope() { state().site = std::move(previous); }

void setNamers(Namer code, Namer command) {
    state().code = code;
    state().command = command;
}

std::string codeName(int32_t code) { return named(state().code, code); }

// Command 0 is no command in every binding, whatever constant has the value.
std::string commandName(int32_t command) { return command == 0 ? "0" : named(state().command, command); }

std::string codeSetText(const std::vector<int32_t>& codes) {
    std::string text = "{";
    for (int32_t code : codes)
        text += (text.size() > 1 ? ", " : "") + codeName(code);
    return text + "}";
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

} // namespace Diagnostics
