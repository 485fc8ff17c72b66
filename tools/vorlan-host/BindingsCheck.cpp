#include "BindingsCheck.h"

#include "lua/ConstantNames.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <tuple>

namespace {

using Codes = std::vector<int32_t>;

bool includes(const Codes& whole, const Codes& part) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

std::string codeSet(const Codes& codes) {
    std::string text;
    for (int32_t code : codes)
        text += (text.empty() ? "" : ", ") + codeConstantName(code);
    return "{" + text + "}";
}

std::string place(const VorlanOrigin& origin) {
    return origin.file.empty() ? std::string() : " (" + origin.file + ":" + std::to_string(origin.line) + ")";
}

std::string reformersOf(const Codes& modifiers, const Codes& switches) {
    Codes all(modifiers);
    all.insert(all.end(), switches.begin(), switches.end());
    std::sort(all.begin(), all.end());
    return codeSet(all);
}

class Analysis {
public:
    Analysis(const std::string& script, const VorlanBindings& bindings, std::vector<Finding>& findings)
        : script(script), bindings(bindings), findings(findings) {}

    void combos(const std::set<int>* deviceCodes);
    void layersOffTheStack();
    void unusedReformers();

private:
    void add(const VorlanOrigin& origin, const char* operation, const char* kind, const std::string& text) {
        findings.push_back({origin.file.empty() ? script : origin.file, origin.line, operation, kind, text});
    }
    const VorlanLayer* layer(const std::string& name) const {
        for (const VorlanLayer& l : bindings.layers)
            if (l.name == name)
                return &l;
        return nullptr;
    }
    // The first combo of a layer above stack position `below` that takes the
    // events of a combo on `code` whenever the combo itself would match. A key combo
    // is taken by a key combo with the same modifiers whose switches are
    // among its own, or by an axis combo whose modifiers and switches are
    // among its own; an axis combo only by such an axis combo.
    struct Taker {
        const std::string* layer = nullptr;
        VorlanOrigin origin;
    };
    Taker shadowing(size_t below, bool key, int32_t code, const Codes& modifiers, const Codes& switches) const;
    bool isReformer(int32_t code) const;

    const std::string& script;
    const VorlanBindings& bindings;
    std::vector<Finding>& findings;
};

Analysis::Taker Analysis::shadowing(size_t below, bool key, int32_t code, const Codes& modifiers,
                                    const Codes& switches) const {
    for (size_t i = 0; i < below; ++i) {
        const VorlanLayer* above = layer(bindings.stack[i]);
        for (const VorlanKeyCombo& c : above->keyCombos)
            if (key && c.key == code && c.modifiers == modifiers && includes(switches, c.switches))
                return {&above->name, c.origin};
        for (const VorlanAxisCombo& c : above->axisCombos)
            if (c.axis == code && includes(modifiers, c.modifiers) && includes(switches, c.switches))
                return {&above->name, c.origin};
    }
    return {};
}

bool Analysis::isReformer(int32_t code) const {
    for (const auto* list : {&bindings.modifiers, &bindings.switches})
        for (const VorlanReformer& r : *list)
            if (r.code == code)
                return true;
    return false;
}

void Analysis::combos(const std::set<int>* deviceCodes) {
    for (const VorlanLayer& l : bindings.layers) {
        // The number of layers above this one; none above a layer off the stack.
        const auto onStack = std::find(bindings.stack.begin(), bindings.stack.end(), l.name);
        const size_t position =
            onStack == bindings.stack.end() ? 0 : static_cast<size_t>(onStack - bindings.stack.begin());
        const auto check = [&](const char* operation, bool key, int32_t code, const Codes& modifiers,
                               const Codes& switches, const VorlanOrigin& origin) {
            const std::string combo = "the combo on " + codeConstantName(code) + " " + reformersOf(modifiers, switches)
                                      + " in layer " + quoted(l.name);
            if (isReformer(code))
                add(origin, operation, "reformer", combo + " never fires: " + codeConstantName(code)
                                                       + " is a reformer, whose events change the reformers");
            else if (const Taker taker = shadowing(position, key, code, modifiers, switches); taker.layer)
                add(origin, operation, "shadowed", combo + " never fires: layer " + quoted(*taker.layer)
                                                       + " above it takes " + codeConstantName(code) + " first"
                                                       + place(taker.origin));
            if (deviceCodes && !deviceCodes->count(code))
                add(origin, operation, "no-device", "no device of the session has " + codeConstantName(code)
                                                        + ", which " + combo + " binds");
        };
        for (const VorlanKeyCombo& c : l.keyCombos)
            check("addKeyCombo", true, c.key, c.modifiers, c.switches, c.origin);
        for (const VorlanAxisCombo& c : l.axisCombos)
            check("addAxisCombo", false, c.axis, c.modifiers, c.switches, c.origin);
    }
}

void Analysis::layersOffTheStack() {
    for (const VorlanLayer& l : bindings.layers)
        if (std::find(bindings.stack.begin(), bindings.stack.end(), l.name) == bindings.stack.end())
            add(l.origin, "createLayer", "unstacked",
                "layer " + quoted(l.name) + " is not on the stack, so none of its combos fires");
    if (bindings.stack.empty())
        add({}, "", "no-stack", "no layer is on the stack (vorlan.setTopLayer), so no combo fires");
}

// A switch of a group counts as used when a combo uses any member: pressing
// it turns the others off.
void Analysis::unusedReformers() {
    std::set<int32_t> used;
    const auto use = [&](const Codes& codes) { used.insert(codes.begin(), codes.end()); };
    for (const VorlanLayer& l : bindings.layers) {
        for (const VorlanKeyCombo& c : l.keyCombos) {
            use(c.modifiers);
            use(c.switches);
        }
        for (const VorlanAxisCombo& c : l.axisCombos) {
            use(c.modifiers);
            use(c.switches);
        }
    }
    for (const Codes& group : bindings.switchGroups)
        if (std::any_of(group.begin(), group.end(), [&](int32_t code) { return used.count(code) > 0; }))
            use(group);
    for (const VorlanReformer& r : bindings.modifiers)
        if (!used.count(r.code))
            add(r.origin, "addModifiers", "unused", "modifier " + codeConstantName(r.code) + " is used by no combo");
    for (const VorlanReformer& r : bindings.switches)
        if (!used.count(r.code))
            add(r.origin, "", "unused", "switch " + codeConstantName(r.code) + " is used by no combo");
}

} // namespace

std::vector<Finding> checkBindings(const std::string& script, const std::vector<VorlanDiagnostic>& diagnostics,
                                   const VorlanBindings& bindings, const std::set<int>* deviceCodes) {
    std::vector<Finding> findings;
    for (const VorlanDiagnostic& d : diagnostics)
        findings.push_back({d.file.empty() ? script : d.file, d.line, d.operation, "diagnostic", d.text});
    const size_t noted = findings.size();
    Analysis analysis(script, bindings, findings);
    analysis.combos(deviceCodes);
    analysis.layersOffTheStack();
    analysis.unusedReformers();
    const auto byLine = [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    };
    std::stable_sort(findings.begin() + static_cast<std::ptrdiff_t>(noted), findings.end(), byLine);
    return findings;
}

void printFindings(std::ostream& out, const std::vector<Finding>& findings, bool jsonLines) {
    for (const Finding& f : findings) {
        if (jsonLines) {
            const nlohmann::ordered_json line = {
                {"file", f.file},
                {"line", f.line > 0 ? nlohmann::ordered_json(f.line) : nlohmann::ordered_json()},
                {"operation", f.operation.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(f.operation)},
                {"kind", f.kind},
                {"text", f.text},
            };
            out << line.dump() << '\n';
            continue;
        }
        out << f.file << ':';
        if (f.line > 0)
            out << f.line << ':';
        out << ' ' << (f.operation.empty() ? "" : f.operation + ": ") << f.text << '\n';
    }
}
