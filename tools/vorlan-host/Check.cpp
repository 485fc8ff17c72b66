#include "Check.h"

#include "BindingsCheck.h"
#include "BindingsScript.h"
#include "VorlanBindings.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <stdexcept>
#include <unistd.h>

std::set<int> deviceCodes(Vorlan& input) {
    std::vector<std::string> names;
    input.getDevices(names);
    std::set<int> codes;
    for (const std::string& name : names) {
        std::vector<int> keys, axes;
        input.getDeviceKeysAxes(name, keys, axes);
        codes.insert(keys.begin(), keys.end());
        codes.insert(axes.begin(), axes.end());
    }
    return codes;
}

int runCheck(Vorlan& input, const std::string& script, std::optional<uint32_t> frames, bool jsonLines,
             bool withDevices) {
    Vorlan::enableDiagnostics(true);
    BindingsScript bindings;
    std::string failure;
    if (!bindings.run(script, failure)) {
        std::cerr << "vorlan-host: " << failure << '\n';
        return 1;
    }
    input.activate(true);
    std::vector<VorlanAction> actions;
    for (uint32_t frame = 1; frames ? frame <= *frames : !input.isReplayFinished(); ++frame)
        input.process(actions);
    const std::vector<VorlanDiagnostic> diagnostics = Vorlan::takeDiagnostics();
    Vorlan::enableDiagnostics(false);

    VorlanBindings view;
    input.getBindings(view);
    const std::set<int> codes = withDevices ? deviceCodes(input) : std::set<int>();
    const std::vector<Finding> findings = checkBindings(script, diagnostics, view, withDevices ? &codes : nullptr);
    printFindings(std::cout, findings, jsonLines);
    std::cout.flush();
    return findings.empty() ? 0 : 3;
}

EmptySession::EmptySession() {
    const char* folder = std::getenv("TMPDIR");
    path = std::string(folder && *folder ? folder : "/tmp") + "/vorlan-check-XXXXXX";
    const int file = mkstemp(path.data());
    if (file < 0)
        throw std::runtime_error("cannot create a temporary file in " + path.substr(0, path.rfind('/')));
    const std::string header = "{\"format\":\"vorlan-session\",\"version\":1}\n";
    const bool written = write(file, header.data(), header.size()) == static_cast<ssize_t>(header.size());
    close(file);
    if (!written)
        throw std::runtime_error("cannot write the temporary file " + path);
    setenv("VORLAN_REPLAY", path.c_str(), 1);
}

EmptySession::~EmptySession() {
    unsetenv("VORLAN_REPLAY");
    std::remove(path.c_str());
}
