#ifndef VORLAN_DIAGNOSTIC_H
#define VORLAN_DIAGNOSTIC_H

#include <string>

// One operation that the library refused or carried out with a degraded
// argument, noted while diagnostics are on (Vorlan::enableDiagnostics).
struct VorlanDiagnostic {
    std::string file;       // the script of the Lua call; empty for a call from C++
    int line = 0;           // its line; 0 when unknown
    std::string operation;  // the operation asked for: "addKeyCombo"
    std::string text;       // what was asked and why it was refused or degraded
};

#endif
