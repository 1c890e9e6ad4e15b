// How the formatter reports its progress and learns of a cancel. After every formatting step
// the formatter owes a report of its position; a report lets the user interface process its
// pending events (where a click on Cancel, or Ctrl+C on the console, sets the cancel flag). So
// that a step costs nanoseconds, each report says how many further steps may run before the
// next one; the cancel flag is read at the start and after every report, the only places where
// it can change.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui/ui_services.h"

// The program-wide cancel flag: set by the progress dialog's Cancel button (and by Ctrl+C on
// the console), cleared by the conversion job before it starts, read by the formatter.
extern bool gCancelled;

namespace engine {

// The stop request of the reads before formatting (a large file, a FIFO, standard input): lets
// pending events run, where Ctrl+C lands, and asks to stop once the job is cancelled.
bool CancelledWhileReading();

class FormatProgress {
public:
    virtual ~FormatProgress() = default;
    // True when formatting is to stop.
    virtual bool cancelled() = 0;
    // After a step that left `position` units consumed. Returns how many more steps may run
    // before the next report (0 counts as 1).
    virtual uint32_t report(int32_t position) = 0;
};

// Reports through the user-interface services: shows the position (the progress bar's value),
// lets pending events run at most every ~20 ms (ui::EventPump) and reads gCancelled.
class EventPumpProgress : public FormatProgress {
public:
    static constexpr uint32_t kStepsPerReport = 256;

    explicit EventPumpProgress(std::function<void(int32_t)> showPosition = {},
                               uint32_t stepsPerReport = kStepsPerReport);
    bool cancelled() override { return gCancelled; }
    uint32_t report(int32_t position) override;

private:
    std::function<void(int32_t)> showPosition_;
    uint32_t stepsPerReport_;
    ui::EventPump pump_;
};

}  // namespace engine
