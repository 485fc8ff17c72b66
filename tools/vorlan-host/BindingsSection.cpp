#include "BindingsSection.h"

#include "FilterWords.h"
#include "Html.h"

#include <algorithm>

namespace {

void row(std::ostream& out, std::initializer_list<std::string> cells) {
    out << "<tr>";
    for (const std::string& cell : cells)
        out << "<td>" << escape(cell) << "</td>";
    out << "</tr>\n";
}

void header(std::ostream& out, std::initializer_list<const char*> cells) {
    out << "<table><thead><tr>";
    for (const char* cell : cells)
        out << "<th>" << cell << "</th>";
    out << "</tr></thead><tbody>\n";
}

std::vector<int32_t> codes(const std::vector<VorlanReformer>& reformers) {
    std::vector<int32_t> list;
    for (const VorlanReformer& reformer : reformers)
        list.push_back(reformer.code);
    return list;
}

std::string ordinal(std::size_t n) {
    static const char* const suffixes[] = {"th", "st", "nd", "rd"};
    return std::to_string(n) + (n % 100 / 10 != 1 && n % 10 < 4 ? suffixes[n % 10] : "th");
}

std::string orNone(const std::string& text) { return text.empty() ? "none" : text; }

// The script's line that made a binding, where it was noted.
std::string line(const VorlanOrigin& origin) { return origin.line > 0 ? std::to_string(origin.line) : ""; }

} // namespace

// Layer names may hold any character; ids are made of the layer's place in creation order.
std::string BindingsSection::layerId(const std::string& name) const {
    for (std::size_t i = 0; i < bindings.layers.size(); ++i)
        if (bindings.layers[i].name == name)
            return "layer-" + std::to_string(i + 1);
    return "";
}

BindingsSection::BindingsSection(const VorlanBindings& bindings, const std::vector<std::string>& diagnostics,
                                 const Names& names)
    : bindings(bindings), diagnostics(diagnostics), names(names) {}

void BindingsSection::write(std::ostream& out) const {
    out << "<section id=\"bindings\"><h2>Bindings</h2>\n";
    writeDiagnostics(out);
    writeStack(out);
    writeReformers(out);
    for (std::size_t i = 0; i < bindings.stack.size(); ++i)
        for (const VorlanLayer& layer : bindings.layers)
            if (layer.name == bindings.stack[i])
                writeLayer(out, layer, "stacked " + ordinal(i + 1) + (i == 0 ? ", on top" : ""));
    for (const VorlanLayer& layer : bindings.layers)
        if (std::find(bindings.stack.begin(), bindings.stack.end(), layer.name) == bindings.stack.end())
            writeLayer(out, layer, "not stacked");
    out << "</section>\n";
}

void BindingsSection::writeStack(std::ostream& out) const {
    out << "<h3>Layer stack</h3>\n";
    if (bindings.stack.empty())
        out << "<p class=\"warning\">No layer is stacked: no event gives an action.</p>\n";
    else {
        out << "<p>Events are offered to the layers from the top down; the first layer with a matching combo "
               "takes the event.</p>\n<ol class=\"stack\">";
        for (const std::string& name : bindings.stack)
            out << "<li><a href=\"#" << layerId(name) << "\">" << escape(name) << "</a></li>";
        out << "</ol>\n";
    }
    std::string unstacked;
    for (const VorlanLayer& layer : bindings.layers)
        if (std::find(bindings.stack.begin(), bindings.stack.end(), layer.name) == bindings.stack.end())
            unstacked += (unstacked.empty() ? "" : ", ") + layer.name;
    out << "<p>Layers not stacked: " << escape(orNone(unstacked)) << ".</p>\n";
}

void BindingsSection::writeReformers(std::ostream& out) const {
    out << "<h3>Reformers</h3>\n<table class=\"reformers\"><tbody>\n";
    out << "<tr><th>Modifiers (held)</th><td>" << escape(orNone(names.codeList(codes(bindings.modifiers), ", ")))
        << "</td></tr>\n";
    out << "<tr><th>Switches (toggled)</th><td>" << escape(orNone(names.codeList(codes(bindings.switches), ", ")))
        << "</td></tr>\n";
    for (std::size_t i = 0; i < bindings.switchGroups.size(); ++i)
        out << "<tr><th>Switch group " << i + 1 << " (one on at most)</th><td>"
            << escape(names.codeList(bindings.switchGroups[i], ", ")) << "</td></tr>\n";
    out << "</tbody></table>\n";
}

void BindingsSection::writeLayer(std::ostream& out, const VorlanLayer& layer, const std::string& place) const {
    out << "<h3 id=\"" << layerId(layer.name) << "\">Layer " << escape(layer.name) << " <small>(" << place
        << ")</small></h3>\n";
    if (layer.keyCombos.empty())
        out << "<p>No key combos.</p>\n";
    else {
        header(out, {"Key", "Modifiers", "Switches", "Down", "Pressed (each frame)", "Up", "Line"});
        for (const VorlanKeyCombo& combo : layer.keyCombos)
            row(out, {names.code(combo.key), names.codeList(combo.modifiers), names.codeList(combo.switches),
                      names.command(combo.down), names.command(combo.pressed), names.command(combo.up),
                      line(combo.origin)});
        out << "</tbody></table>\n";
    }
    if (layer.axisCombos.empty())
        out << "<p>No axis combos.</p>\n";
    else {
        header(out, {"Axis", "Modifiers", "Switches", "Command", "Filter", "Line"});
        for (const VorlanAxisCombo& combo : layer.axisCombos)
            row(out, {names.code(combo.axis), names.codeList(combo.modifiers), names.codeList(combo.switches),
                      names.command(combo.command),
                      combo.hasFilter ? filterInWords(combo.filter) : "none (value unchanged)", line(combo.origin)});
        out << "</tbody></table>\n";
    }
}

void BindingsSection::writeDiagnostics(std::ostream& out) const {
    if (diagnostics.empty())
        return;
    out << "<h3>What vorlan-host --check finds</h3>\n<ul class=\"diagnostics\">";
    for (const std::string& line : diagnostics)
        out << "<li><code>" << escape(line) << "</code></li>";
    out << "</ul>\n";
}
