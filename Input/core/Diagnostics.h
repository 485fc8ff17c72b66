#ifndef VORLAN_CORE_DIAGNOSTICS_H
#define VORLAN_CORE_DIAGNOSTICS_H

#include "VorlanBindings.h"
#include "VorlanDiagnostic.h"

#include <cstdint>
#include <string>
#include <vector>

// The process-wide list of refused and degraded operations. Off by default:
// callers test enabled() before composing a text, so that nothing is built
// while it is off.
namespace Diagnostics {

bool enabled();
// Switching off keeps the entries noted so far.
void enable(bool on);

// Adds an entry stamped with the current call site. The list keeps the first
// `capacity` entries since the last take and counts the rest.
void note(const char* operation, std::string text);
constexpr std::size_t capacity = 1000;

// The entries since the last take, oldest first, then one that counts those
// left out; empties the list.
std::vector<VorlanDiagnostic> take();

// The script and line of the Lua call now running; empty outside one.
const VorlanOrigin& site();

// Makes `origin` the call site for its lifetime.
class SiteScope {
public:
    explicit SiteScope(VorlanOrigin origin);
    ~SiteScope();
    SiteScope(const SiteScope&) = delete;
    SiteScope& operator=(const SiteScope&) = delete;

private:
    VorlanOrigin previous;
};

// Names of codes and commands in texts. The Lua module, which has the
// constant table, installs the namers; without them numbers are written.
using Namer = std::string (*)(int32_t value);
void setNamers(Namer code, Namer command);
std::string codeName(int32_t code);
std::string commandName(int32_t command);
// Codes as "{KEY_LSHIFT, 4096}".
std::string codeSetText(const std::vector<int32_t>& codes);
// A string in double quotes.
std::string quoted(const std::string& text);

} // namespace Diagnostics

#endif
