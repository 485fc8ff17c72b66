#include "platform/session/RecordingContext.h"

#include "platform/session/RecordingDirectInput.h"

namespace Session {

RecordingContext::RecordingContext(std::unique_ptr<Platform::Context> inner, Writer writer)
    : inner(std::move(inner)),
      recorder(std::move(writer)),
      client(this->inner->headTracker(), recorder),
      system(DirectInput::makeRecordingSystem(this->inner->directInput(), recorder)) {}

uint32_t RecordingContext::ticks() {
    const uint32_t ticks = inner->ticks();
    recorder.ticksRead(ticks);
    return ticks;
}

void RecordingContext::beginFrame() {
    recorder.endFrame();
    inner->beginFrame();
}

} // namespace Session
