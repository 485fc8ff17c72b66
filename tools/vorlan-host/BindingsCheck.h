#ifndef VORLAN_HOST_BINDINGS_CHECK_H
#define VORLAN_HOST_BINDINGS_CHECK_H

#include "VorlanBindings.h"
#include "VorlanDiagnostic.h"

#include <ostream>
#include <set>
#include <string>
#include <vector>

// One thing a check found. `line` is 0 and `operation` empty where unknown.
struct Finding {
    std::string file;
    int line = 0;
    std::string operation;
    std::string kind;  // "diagnostic", "shadowed", "reformer", "no-device", "unstacked", "no-stack", "unused"
    std::string text;
};

// The findings of a bindings script: the library's diagnostics as noted,
// then, by file and line, the analysis of the final bindings: combos that never fire
// (a higher stacked layer takes their code and reformers first, or their code
// is a reformer's), combos on codes that no device has (only when
// `deviceCodes` is given), layers off the stack, no stacked layer at all, and
// reformers that no combo uses. `script` stands for an unknown origin's file.
std::vector<Finding> checkBindings(const std::string& script, const std::vector<VorlanDiagnostic>& diagnostics,
                                   const VorlanBindings& bindings, const std::set<int>* deviceCodes);

// "FILE:LINE: operation: text" lines (without the parts not known), or one
// JSON object per finding.
void printFindings(std::ostream& out, const std::vector<Finding>& findings, bool jsonLines);

#endif
