// vorlan-host: a sample host. It drives the Vorlan library as the simulator
// does, through the exported C++ API and a bindings script in Lua 5.1, on a
// replayed session, and prints the actions of every frame.

#include "ActionPrinter.h"
#include "BindingsScript.h"
#include "Check.h"
#include "ReportWriter.h"
#include "Vorlan.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const contract = R"(The bindings script:
  must   load the module with require "Vorlan" and call vorlan.initialize(),
         which installs the constants (KEY_..., JOYSTICK_..., iCommand...);
         the host has initialised the library already, so this call changes
         nothing else;
  must   declare its modifiers, switches and switch groups, create its layers,
         add its key and axis combos and push layers with vorlan.setTopLayer;
  may    query the devices (vorlan.getDevices, ...) and set joystick numbers;
  must not call vorlan.process: the host runs the frames;
  may    print(...) and trace(text): both write to standard error.
Then the host activates the devices and calls process once per frame, until the
session's last frame or for --frames N frames, printing each action.
With --check, the host prints instead what the script asked for in vain, as
FILE:LINE: lines, and exits 3 when it found anything. A check without a
session runs on no devices.
With --report FILE.html it also writes the bindings, their response curves,
what the check finds and, with a session, what each axis and key did, as one
HTML page.
Exit status: 0 done (a clean check), 1 the library could not start (a bad or
missing session), the script failed, the report cannot be written or the
recording could not be written in full, 2 bad arguments, 3 the check found
something. Errors are one line on stderr.
See docs/vorlan-host.md.)";

struct Options {
    std::string session;
    std::string record;
    uint32_t frames = 0;
    bool framesGiven = false;
    std::string format = "text";
    std::string report;
    std::string bindings;
    bool check = false;
    bool initialState = false;
};

int fail(const std::string& message, int status = 1) {
    std::cerr << "vorlan-host: " << message << '\n';
    return status;
}

// The library's start-up failure names the platform call before what went
// wrong ("DirectInput8Create bug.jsonl:7: ..."); the user is shown what went
// wrong, which names the session file first.
std::string startFailure(const std::string& message) {
    const std::string call = "DirectInput8Create ";
    return message.compare(0, call.size(), call) == 0 ? message.substr(call.size()) : message;
}

// After initialize: the script binds, then the frames run, --frames N of them
// or until the replayed session has delivered its last frame. A report, when
// asked for, keeps every action.
int runFrames(Vorlan& input, const Options& options, ReportData* report) {
    if (report)
        Vorlan::enableDiagnostics(true);
    BindingsScript script;
    std::string failure;
    if (!script.run(options.bindings, failure))
        return fail(failure);
    input.activate(true);

    ActionPrinter printer(std::cout, options.format == "jsonl" ? ActionPrinter::Format::JsonLines
                                                               : ActionPrinter::Format::Text);
    std::vector<VorlanAction> actions;
    const auto more = [&](uint32_t frame) {
        return options.framesGiven ? frame <= options.frames : !input.isReplayFinished();
    };
    uint32_t frame = 1;
    for (; more(frame); ++frame) {
        input.process(actions);
        for (const VorlanAction& action : actions) {
            printer.print(frame, action);
            if (report)
                report->session.actions.push_back({frame, action});
        }
    }
    std::cout.flush();
    if (report)
        report->session.frames = frame - 1;
    return 0;
}

int runHost(const Options& options) {
    // Opened first, so that a report that cannot be written stops the run before it starts.
    std::ofstream reportFile;
    if (!options.report.empty() && !(reportFile.open(options.report, std::ios::binary), reportFile))
        return fail(options.report + ": cannot be written");
    // The library reads these when it creates DirectInput, in initialize.
    if (!options.session.empty())
        setenv("VORLAN_REPLAY", options.session.c_str(), 1);
    if (!options.record.empty())
        setenv("VORLAN_RECORD", options.record.c_str(), 1);

    Vorlan& input = *getGlobalInput();
    const char* replay = std::getenv("VORLAN_REPLAY");
    const bool withSession = replay && *replay;
    if (!options.report.empty() && withSession && !isReplayableTwice(replay))
        return fail(std::string(replay) + ": the report replays the session twice, so it must be a file", 2);
    if (options.initialState)
        input.setInitialState(true);
    try {
        std::optional<EmptySession> noDevices;
        if ((options.check || !options.report.empty()) && !withSession)
            noDevices.emplace();
        input.initialize(nullptr);
    } catch (const std::exception& e) {
        return fail(startFailure(e.what()));
    }
    const std::optional<uint32_t> frames = options.framesGiven ? std::optional<uint32_t>(options.frames) : std::nullopt;
    ReportData report;
    report.hasSession = withSession;
    int status = options.check ? runCheck(input, options.bindings, frames, options.format == "jsonl", withSession)
                               : runFrames(input, options, options.report.empty() ? nullptr : &report);
    std::string failure;
    if (status == 0 && !options.report.empty() &&
        !writeReport(input, reportFile, options.report, options.bindings, report, failure))
        status = fail(failure);
    input.uninitialize();  // also writes a recording's last frame
    const std::string recording = input.getRecordingFailure();
    return recording.empty() ? status : fail("recording incomplete: " + recording);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app("Runs a bindings script on a replayed session through the Vorlan library, as a host\n"
                 "does, and prints every frame's actions.",
                 "vorlan-host");
    app.footer(contract);
    app.set_version_flag("-v,--version", "vorlan-host " VORLAN_VERSION);
    Options options;
    app.add_option("--session", options.session, "replay this session file (sets VORLAN_REPLAY)");
    app.add_option("--record", options.record, "record what the devices delivered to this file (sets VORLAN_RECORD)");
    CLI::Option* frames = app.add_option("--frames", options.frames,
                                         "run N frames instead of the session's length");
    app.add_flag("--initial-state", options.initialState,
                 "deliver where the joysticks' controls stand when activated (as VORLAN_INITIAL_STATE=1 does)");
    app.add_option("--format", options.format, "text (default) or jsonl: one JSON object per action")
        ->check(CLI::IsMember({"text", "jsonl"}));
    app.add_flag("--check", options.check,
                 "print what the script asks for in vain (refused or degraded calls, combos that never fire, "
                 "unused layers and reformers) instead of the actions; exit 3 when there is any");
    app.add_option("--report", options.report,
                   "also write a bindings report to this file: one HTML page with the bindings, their response "
                   "curves, what --check finds and the session's traces")
        ->excludes("--check");
    app.add_option("BINDINGS.lua", options.bindings, "the bindings script")->required()->check(CLI::ExistingFile);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0)
            return app.exit(e);  // --help, --version
        return fail(e.what(), 2);
    }
    options.framesGiven = frames->count() > 0;
    return runHost(options);
}
