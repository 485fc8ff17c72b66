#include "platform/session/Selection.h"

#include "platform/directinput/ResultCodes.h"
#include "platform/session/RecordingContext.h"
#include "platform/session/ReplayContext.h"
#include "platform/session/SessionReader.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace Session {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The context to record or use as it is: the replayed session's, else platform's.
DirectInput::HResult createSource(const std::string& replayPath, const Platform::ContextMaker& platform,
                                  std::unique_ptr<Platform::Context>& source, std::string& failure) {
    if (replayPath.empty()) {
        DirectInput::HResult result = platform(source, failure);
        // A backend that succeeds without an object gave nothing to work with.
        if (DirectInput::succeeded(result) && !source)
            result = DirectInput::E_POINTER;
        return result;
    }
    // The whole session is checked first, so that a fault anywhere in it
    // fails here; the replay then reads it again as it goes. A session that
    // can be read only once (a pipe) is kept in memory for that.
    std::error_code notFile;
    const bool readTwice = std::filesystem::is_regular_file(replayPath, notFile);
    std::string text;
    if (!checkSession(replayPath, failure, readTwice ? nullptr : &text))
        return DirectInput::E_FAIL;
    SessionReader reader = readTwice ? SessionReader(replayPath)
                                     : SessionReader(std::make_unique<std::istringstream>(text), replayPath);
    if (!reader.readHead()) {
        failure = reader.error();
        return DirectInput::E_FAIL;
    }
    source = std::make_unique<ReplayContext>(std::move(reader));
    return DirectInput::DI_OK;
}

} // namespace

DirectInput::HResult createContext(const Platform::ContextMaker& platform, std::unique_ptr<Platform::Context>& context,
                                   std::string& failure) {
    context.reset();
    failure.clear();
    const std::string replayPath = variable("VORLAN_REPLAY");
    const std::string recordPath = variable("VORLAN_RECORD");
    if (!replayPath.empty() && replayPath == recordPath) {
        failure = "VORLAN_RECORD and VORLAN_REPLAY name the same file " + replayPath;
        return DirectInput::E_INVALIDARG;
    }

    std::unique_ptr<Platform::Context> source;
    const DirectInput::HResult result = createSource(replayPath, platform, source, failure);
    if (DirectInput::failed(result)) {
        if (failure.empty())
            failure = DirectInput::errorDescription(result);
        return result;
    }
    if (!recordPath.empty()) {
        Writer writer;
        if (!writer.open(recordPath, failure))
            return DirectInput::E_FAIL;
        source = std::make_unique<RecordingContext>(std::move(source), std::move(writer));
    }
    context = std::move(source);
    return result;
}

} // namespace Session
