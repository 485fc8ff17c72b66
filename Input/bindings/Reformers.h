#ifndef VORLAN_BINDINGS_REFORMERS_H
#define VORLAN_BINDINGS_REFORMERS_H

#include "bindings/CodeSet.h"
#include "bindings/ReformerSummary.h"
#include "core/DeviceEvent.h"

#include <cstdint>
#include <set>
#include <vector>

// The engine-wide reformer keys: declared modifiers (act while held), switches
// (toggled by each press) and switch groups (at most one member on), with the
// held modifiers and the switches that are on. A code is never both a modifier
// and a switch.
class Reformers {
public:
    // Ignored when the code is already a switch.
    void addModifier(int32_t code);
    // Ignored when the code is already a modifier.
    void addSwitch(int32_t code);
    // Declares the codes as switches; the group holds those that were neither
    // modifiers nor switches before. An empty group is not kept.
    void addSwitchGroup(const std::set<int32_t>& codes);
    // Forgets the modifier and switch declarations and their state; the
    // switch groups stay.
    void clear();
    // Every modifier counts as released and every switch as off.
    void release();

    bool isModifier(int32_t code) const { return contains(modifiers, code); }
    bool isSwitch(int32_t code) const { return contains(switches, code); }
    bool isReformer(int32_t code) const { return isModifier(code) || isSwitch(code); }

    // Sorts `reformers` into modifiers and switches; false when one is neither.
    bool splitReformers(const std::set<int32_t>& reformers, CodeSet& modifierSet,
                        CodeSet& switchSet) const;

    // The event steps: each returns whether the event was a reformer's and so
    // is consumed.
    bool handleModifier(const DeviceEvent& event);
    bool handleSwitch(const DeviceEvent& event);

    const CodeSet& declaredModifiers() const { return modifiers; }
    const CodeSet& declaredSwitches() const { return switches; }
    const std::vector<CodeSet>& groups() const { return switchGroups; }
    const CodeSet& pressedModifiers() const { return pressed; }
    const CodeSet& activeSwitches() const { return active; }
    // The held modifiers and the switches that are on, summarised.
    const ReformerSummary& summary() const { return held; }
    // Whether summaries compare exactly: no two codes ever declared share a bit.
    bool isExact() const { return exact; }

private:
    void summariseDeclarations();
    void noteDeclared(int32_t code);

    CodeSet modifiers;
    CodeSet switches;
    std::vector<CodeSet> switchGroups;
    CodeSet pressed;
    CodeSet active;
    ReformerSummary declared;  // lets most events pass without a search
    ReformerSummary held;
    // Codes ever declared, kept across clear(): combos may still name them.
    CodeSet everDeclared;
    uint64_t everDeclaredBits = 0;
    bool exact = true;
};

#endif
