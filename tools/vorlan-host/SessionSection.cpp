#include "SessionSection.h"

#include "ColumnReduction.h"
#include "Html.h"
#include "SvgPlot.h"
#include "Vorlan.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

const int plotWidth = 1060;
const double fullScale = Vorlan::getAxesValueMax();

// The smallest round reach (1, 2 or 5 times a power of ten) at or above the
// greatest magnitude; the whole scale at least when the values come near it.
double reachOf(double greatest) {
    if (greatest >= 0.5 || greatest <= 0.0)
        return std::max(1.0, greatest);
    const double magnitude = std::pow(10.0, std::floor(std::log10(greatest)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (greatest <= factor * magnitude)
            return factor * magnitude;
    return 10 * magnitude;
}

// A relative value is a step of its own, not a position that holds: it falls
// back to 0 in the next frame unless another value comes then.
ColumnReduction::Steps pulses(const ColumnReduction::Steps& values) {
    ColumnReduction::Steps out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        out.push_back(values[i]);
        const uint32_t next = values[i].first + 1;
        if (i + 1 == values.size() || values[i + 1].first > next)
            out.emplace_back(next, 0.0);
    }
    return out;
}

} // namespace

SessionSection::SessionSection(const ReportData& data, const Names& names) : session(data.session), names(names) {
    std::map<int32_t, uint32_t> downSince;
    for (const TracedInput& input : session.inputs) {
        if (input.axis && !input.absolute)
            relative.insert(input.code);
        if (input.axis)
            raw[input.code].emplace_back(input.frame, input.value / fullScale);
        else if (input.value != 0)
            downSince[input.code] = input.frame;
        else if (downSince.count(input.code)) {
            held[input.code].emplace_back(downSince[input.code], input.frame);
            downSince.erase(input.code);
        }
    }
    for (const auto& [code, since] : downSince)
        held[code].emplace_back(since, session.frames);
    attribute(data.bindings);
}

// An axis action belongs to the axis whose raw input of the same frame, time
// and device has an axis combo with the action's command.
void SessionSection::attribute(const VorlanBindings& bindings) {
    std::map<int32_t, std::set<int32_t>> commands;
    for (const VorlanLayer& layer : bindings.layers)
        for (const VorlanAxisCombo& combo : layer.axisCombos)
            commands[combo.axis].insert(combo.command);

    auto input = session.inputs.begin();
    for (const TracedAction& traced : session.actions) {
        const VorlanAction& action = traced.action;
        if (!action.hasValue())
            continue;
        while (input != session.inputs.end() && input->frame < traced.frame)
            ++input;
        for (auto it = input; it != session.inputs.end() && it->frame == traced.frame; ++it)
            if (it->axis && it->time == action.getTime() && it->device == action.getDevice() &&
                commands[it->code].count(action.getAction())) {
                shaped[it->code][action.getAction()].emplace_back(traced.frame, action.getValue() / fullScale);
                break;
            }
    }
}

void SessionSection::write(std::ostream& out) const {
    out << "<section id=\"session\"><h2>Session</h2>\n<p>" << session.frames << " frames, "
        << session.actions.size() << " actions. Values are in units of the axis scale (1 = 1073741823).</p>\n";
    out << "<h3>Axes</h3>\n";
    // An axis moved when it reported anything but its rest at 0.
    std::string resting;
    bool moved = false;
    for (const auto& [code, values] : raw) {
        if (std::all_of(values.begin(), values.end(), [](const auto& step) { return step.second == 0.0; })) {
            resting += (resting.empty() ? "" : ", ") + names.code(code);
            continue;
        }
        writeAxis(out, code);
        moved = true;
    }
    if (!moved)
        out << "<p>No axis moved.</p>\n";
    if (!resting.empty())
        out << "<p>Axes that reported only 0: " << escape(resting) << ".</p>\n";
    writeKeys(out);
    writeActions(out);
    out << "</section>\n";
}

void SessionSection::writeAxis(std::ostream& out, int32_t code) const {
    const Steps& input = raw.at(code);
    const auto found = shaped.find(code);
    double greatest = 0;
    for (const auto& step : input)
        greatest = std::max(greatest, std::abs(step.second));
    if (found != shaped.end())
        for (const auto& series : found->second)
            for (const auto& step : series.second)
                greatest = std::max(greatest, std::abs(step.second));
    const double reach = reachOf(greatest * 1.05);  // a little room above the greatest

    const SvgPlot::Range frames{0, static_cast<double>(std::max(session.frames, 1u))};
    SvgPlot chart(plotWidth, 180, frames, {-reach, reach}, 60);
    const ColumnReduction reduce(session.frames, chart.columns());
    chart.xAxis("frame", SvgPlot::ticks(frames, 10));
    chart.yAxis("value", SvgPlot::ticks({-reach, reach}, 4));
    const bool steps = relative.count(code) > 0;
    const auto line = [&](const Steps& values) { return reduce.steps(steps ? pulses(values) : values); };
    chart.legend("raw", "raw input");
    chart.line(line(input), "raw", 6);
    int series = 0;
    if (found != shaped.end())
        for (const auto& [command, values] : found->second) {
            const std::string cssClass = "shaped" + std::to_string(series++ % 3);
            chart.legend(cssClass, names.command(command));
            chart.line(line(values), cssClass, 6);
        }
    const std::string name = names.code(code);
    out << "<figure>" << chart.svg(name + ": raw input and shaped values") << "<figcaption><b>" << escape(name)
        << "</b>: raw input";
    if (series == 0)
        out << "; it produced no action";
    else
        out << " and the values of the " << (series == 1 ? "command" : "commands") << " it produced";
    if (steps)
        out << "; a relative axis, whose values are steps of one frame each";
    out << ".</figcaption></figure>\n";
}

void SessionSection::writeKeys(std::ostream& out) const {
    out << "<h3>Keys, buttons and hats</h3>\n";
    std::set<int32_t> codes;
    for (const TracedInput& input : session.inputs)
        if (!input.axis)
            codes.insert(input.code);
    if (codes.empty()) {
        out << "<p>No key, button or hat moved.</p>\n";
        return;
    }
    std::vector<SvgPlot::Tick> rows;
    std::size_t longest = 0;
    for (const int32_t code : codes) {
        rows.push_back({static_cast<double>(codes.size() - rows.size()) - 0.5, names.code(code)});
        longest = std::max(longest, rows.back().text.size());
    }
    const SvgPlot::Range frames{0, static_cast<double>(std::max(session.frames, 1u))};
    const int height = 70 + 18 * static_cast<int>(codes.size());
    SvgPlot chart(plotWidth, height, frames, {0, static_cast<double>(codes.size())},
                  16 + 7 * static_cast<int>(longest));
    const ColumnReduction reduce(session.frames, chart.columns());
    chart.xAxis("frame", SvgPlot::ticks(frames, 10));
    chart.yAxis("", rows);
    chart.legend("on", "held down (hat: pointing that way)");
    std::size_t row = 0;
    for (const int32_t code : codes) {
        const double at = rows[row++].at;
        const auto spans = held.find(code);
        if (spans != held.end())
            for (const auto& [from, to] : reduce.spans(spans->second))
                chart.bar(from, to, at - 0.3, at + 0.3, "on");
    }
    out << "<figure>" << chart.svg("Keys, buttons and hat directions over the session")
        << "<figcaption>Keys, buttons and hat directions: when each was on.</figcaption></figure>\n";
}

void SessionSection::writeActions(std::ostream& out) const {
    out << "<h3>Actions</h3>\n";
    if (session.actions.empty()) {
        out << "<p>No actions.</p>\n";
        return;
    }
    if (session.actions.size() > tableRows)
        out << "<p>The first " << tableRows << " of " << session.actions.size()
            << " actions; vorlan-host's standard output lists them all.</p>\n";
    out << "<table class=\"actions\"><thead><tr><th>Frame</th><th>Time</th><th>Device</th><th>Command</th>"
           "<th>Value</th></tr></thead><tbody>\n";
    const std::size_t count = std::min(session.actions.size(), tableRows);
    for (std::size_t i = 0; i < count; ++i) {
        const TracedAction& traced = session.actions[i];
        const VorlanAction& action = traced.action;
        out << "<tr><td class=\"n\">" << traced.frame << "</td><td class=\"n\">" << action.getTime()
            << "</td><td class=\"n\">" << action.getDevice() << "</td><td>" << escape(names.command(action.getAction()))
            << "</td><td class=\"n\">";
        if (action.hasValue())
            out << action.getValue() << (action.isAbsolute() ? " absolute" : " relative");
        out << "</td></tr>\n";
    }
    out << "</tbody></table>\n";
}
