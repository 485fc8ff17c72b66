#ifndef VORLAN_HOST_REPORT_H
#define VORLAN_HOST_REPORT_H

#include "ReportData.h"

#include <ostream>
#include <string>

// The bindings report: one self-contained HTML page (inline CSS and SVG, no
// script, nothing fetched) with the bindings, the response curves and, when a
// session was replayed, what it did.
class Report {
public:
    Report(const ReportData& data, const std::string& script, const std::string& session);

    void write(std::ostream& out) const;

private:
    const ReportData& data;
    std::string script;
    std::string session;
};

#endif
