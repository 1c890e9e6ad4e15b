#include "engine/format_progress.h"

bool gCancelled = false;

namespace engine {

bool CancelledWhileReading() {
    ui::Current().processPendingEvents();
    return gCancelled;
}

EventPumpProgress::EventPumpProgress(std::function<void(int32_t)> showPosition, uint32_t stepsPerReport)
    : showPosition_(std::move(showPosition)), stepsPerReport_(stepsPerReport) {}

uint32_t EventPumpProgress::report(int32_t position) {
    if (showPosition_) showPosition_(position);
    pump_.maybePump();
    return stepsPerReport_;
}

}  // namespace engine
