#ifndef VORLAN_HOST_REPORT_WRITER_H
#define VORLAN_HOST_REPORT_WRITER_H

#include "ReportData.h"

#include <fstream>
#include <string>

class Vorlan;

// Whether the session can be replayed a second time for its raw input: a
// file, not a pipe.
bool isReplayableTwice(const std::string& session);

// After the frames ran with diagnostics on: takes the bindings and what the
// check finds in them, learns the session's raw input (when there was a
// session), and writes the report to `out`, the file `path`. False with a
// one-line message when the library cannot start again or the file cannot be
// written.
bool writeReport(Vorlan& input, std::ofstream& out, const std::string& path, const std::string& script,
                 ReportData& data, std::string& failure);

#endif
