#include "platform/session/Selection.h"

#include "platform/directinput/ResultCodes.h"
#include "platform/session/RecordingDirectInput.h"
#include "platform/session/ReplayDirectInput.h"
#include "platform/session/SessionReader.h"

#include <cstdlib>

namespace Session {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

DirectInput::HResult createSystem(const DirectInput::Backend& platform, std::unique_ptr<DirectInput::System>& system,
                                  std::string& failure) {
    system.reset();
    const std::string replayPath = variable("VORLAN_REPLAY");
    const std::string recordPath = variable("VORLAN_RECORD");
    if (!replayPath.empty() && replayPath == recordPath) {
        failure = "VORLAN_RECORD and VORLAN_REPLAY name the same file " + replayPath;
        return DirectInput::E_INVALIDARG;
    }

    std::unique_ptr<DirectInput::System> source;
    DirectInput::HResult result = DirectInput::DI_OK;
    if (!replayPath.empty()) {
        Data data;
        if (!readSession(replayPath, data, failure))
            return DirectInput::E_FAIL;
        source = DirectInput::makeReplaySystem(std::make_unique<Replay>(std::move(data)));
    } else {
        result = platform(source);
        if (DirectInput::failed(result) || !source)
            return result;
    }

    if (!recordPath.empty()) {
        Writer writer;
        if (!writer.open(recordPath, failure))
            return DirectInput::E_FAIL;
        source = DirectInput::makeRecordingSystem(std::move(source), std::make_unique<Recorder>(std::move(writer)));
    }
    system = std::move(source);
    return result;
}

} // namespace Session
