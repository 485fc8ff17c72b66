#ifndef VORLAN_HOST_BINDINGS_SECTION_H
#define VORLAN_HOST_BINDINGS_SECTION_H

#include "Names.h"
#include "VorlanBindings.h"

#include <ostream>
#include <string>
#include <vector>

// The report's first part: the layer stack, the layers with their key and
// axis combos, the reformers, and what the library noted about the script.
class BindingsSection {
public:
    BindingsSection(const VorlanBindings& bindings, const std::vector<std::string>& diagnostics, const Names& names);

    void write(std::ostream& out) const;

private:
    void writeStack(std::ostream& out) const;
    void writeReformers(std::ostream& out) const;
    void writeLayer(std::ostream& out, const VorlanLayer& layer, const std::string& place) const;
    void writeDiagnostics(std::ostream& out) const;
    std::string layerId(const std::string& name) const;

    const VorlanBindings& bindings;
    const std::vector<std::string>& diagnostics;
    const Names& names;
};

#endif
