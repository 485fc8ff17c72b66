#include "ReportWriter.h"

#include "BindingsCheck.h"
#include "Check.h"
#include "InputProbe.h"
#include "Report.h"

#include <cstdlib>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace {

// The check's findings as its text lines, "FILE:LINE: operation: text".
std::vector<std::string> findings(Vorlan& input, const std::string& script, const ReportData& data) {
    const std::vector<VorlanDiagnostic> diagnostics = Vorlan::takeDiagnostics();
    Vorlan::enableDiagnostics(false);
    const std::set<int> codes = data.hasSession ? deviceCodes(input) : std::set<int>();
    std::ostringstream text;
    printFindings(text, checkBindings(script, diagnostics, data.bindings, data.hasSession ? &codes : nullptr), false);
    std::vector<std::string> lines;
    std::istringstream in(text.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

bool isReplayableTwice(const std::string& session) {
    struct stat status;
    return stat(session.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool writeReport(Vorlan& input, std::ofstream& out, const std::string& path, const std::string& script,
                 ReportData& data, std::string& failure) {
    input.getBindings(data.bindings);
    data.diagnostics = findings(input, script, data);
    const char* session = std::getenv("VORLAN_REPLAY");
    const std::string sessionFile = data.hasSession && session ? session : "";
    if (data.hasSession && !InputProbe(input).replay(data.session.frames, data.session.inputs, failure))
        return false;
    Report(data, script, sessionFile).write(out);
    out.close();
    if (!out) {
        failure = path + ": cannot be written";
        return false;
    }
    return true;
}
