#ifndef VORLAN_HOST_SESSION_SECTION_H
#define VORLAN_HOST_SESSION_SECTION_H

#include "Names.h"
#include "ReportData.h"

#include <map>
#include <set>
#include <ostream>
#include <string>
#include <vector>

// The report's session part: per axis that moved, its raw input and the
// values of the actions it produced on one frame axis; keys, buttons and hat
// directions as on/off bars; and the actions frame by frame.
class SessionSection {
public:
    SessionSection(const ReportData& data, const Names& names);

    void write(std::ostream& out) const;

    // The table lists this many actions at most; the text output has them all.
    static constexpr std::size_t tableRows = 5000;

private:
    using Steps = std::vector<std::pair<uint32_t, double>>;

    void attribute(const VorlanBindings& bindings);
    void writeAxis(std::ostream& out, int32_t code) const;
    void writeKeys(std::ostream& out) const;
    void writeActions(std::ostream& out) const;

    const SessionTrace& session;
    const Names& names;
    std::map<int32_t, Steps> raw;                         // by axis code, in units of the axis scale
    std::set<int32_t> relative;                           // axis codes whose values are steps
    std::map<int32_t, std::map<int32_t, Steps>> shaped;   // by axis code, then command
    std::map<int32_t, std::vector<std::pair<double, double>>> held;  // by key code: frames held down
};

#endif
