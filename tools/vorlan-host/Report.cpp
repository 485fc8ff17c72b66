#include "Report.h"

#include "BindingsSection.h"
#include "CurvesSection.h"
#include "Html.h"
#include "Names.h"
#include "SessionSection.h"

namespace {

// Colours that stay apart in greyscale: the dark blue curve and shaped values,
// the light orange raw input, grey references; dashes tell the rest apart.
const char* const style = R"(
body { font: 14px/1.45 system-ui, "Segoe UI", Helvetica, Arial, sans-serif; color: #111; background: #fff;
       max-width: 1080px; margin: 0 auto; padding: 12px 16px 40px; }
h1 { font-size: 24px; margin: 8px 0 4px; }
h2 { font-size: 19px; margin: 30px 0 8px; padding-bottom: 3px; border-bottom: 2px solid #1b3a8a; }
h3 { font-size: 15px; margin: 20px 0 6px; }
h3 small { font-weight: normal; color: #444; }
p.meta { color: #444; margin: 0; }
nav a { margin-right: 14px; }
table { border-collapse: collapse; margin: 4px 0 12px; width: 100%; font-size: 12.5px; }
th, td { border: 1px solid #bbb; padding: 2px 6px; text-align: left; vertical-align: top; }
th { background: #e8ebf2; font-weight: 600; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
table.actions, table.reformers { width: auto; }
.warning { color: #8b0000; font-weight: 600; }
ul.diagnostics { padding-left: 20px; }
code { font: 12px ui-monospace, Menlo, Consolas, monospace; }
figure { margin: 8px 0 14px; break-inside: avoid; }
figcaption { font-size: 12px; color: #222; }
.curves { display: flex; flex-wrap: wrap; gap: 4px 12px; }
.curves figure { width: 310px; margin: 4px 0; }
svg { display: block; max-width: 100%; height: auto; }
svg text { font: 11px system-ui, Helvetica, Arial, sans-serif; fill: #222; }
svg text.label { font-size: 12px; font-weight: 600; }
.frame { fill: none; stroke: #444; stroke-width: 1; }
.grid { stroke: #e2e2e2; stroke-width: 1; }
.curve, .shaped0 { fill: none; stroke: #1b3a8a; stroke-width: 2.2; }
.shaped1 { fill: none; stroke: #000; stroke-width: 1.6; stroke-dasharray: 7 3; }
.shaped2 { fill: none; stroke: #7b3294; stroke-width: 1.6; stroke-dasharray: 2 2; }
.raw { fill: none; stroke: #f4a03c; stroke-width: 4; }
.linear { fill: none; stroke: #8c8c8c; stroke-width: 1; stroke-dasharray: 5 4; }
.deadzone { fill: #f6d27a; fill-opacity: 0.5; }
.saturation { stroke: #b2182b; stroke-width: 1.5; stroke-dasharray: 2 3; }
.on { fill: #1b3a8a; }
.legend line.deadzone { stroke: #f6d27a; stroke-width: 10; }
.legend line.on { stroke: #1b3a8a; stroke-width: 10; }
@media print {
  body { max-width: none; padding: 0; font-size: 10pt; }
  nav { display: none; }
  h2, h3 { break-after: avoid; }
  tr { break-inside: avoid; }
  th, td { overflow-wrap: anywhere; }
}
)";

} // namespace

Report::Report(const ReportData& data, const std::string& script, const std::string& session)
    : data(data), script(script), session(session) {}

void Report::write(std::ostream& out) const {
    const Names names;
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"/>"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>"
           "<title>Bindings report: "
        << escape(script) << "</title><style>" << style << "</style></head>\n<body>\n"
        << "<h1>Bindings report</h1>\n<p class=\"meta\">Script <code>" << escape(script) << "</code>";
    if (data.hasSession)
        out << ", session <code>" << escape(session) << "</code>";
    out << "</p>\n<nav><a href=\"#bindings\">Bindings</a><a href=\"#curves\">Response curves</a>";
    if (data.hasSession)
        out << "<a href=\"#session\">Session</a>";
    out << "</nav>\n";
    BindingsSection(data.bindings, data.diagnostics, names).write(out);
    CurvesSection(data.bindings, names).write(out);
    if (data.hasSession)
        SessionSection(data, names).write(out);
    out << "</body></html>\n";
}
