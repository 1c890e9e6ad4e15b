#include "platform/ui/ui_services.h"

#include <time.h>

#include <mutex>

#include "platform/ui/console_ui.h"

namespace ui {

namespace {

struct Installed {
    std::mutex lock;
    std::shared_ptr<Services> services;
};

Installed& installed() {
    static Installed state;
    return state;
}

constexpr MsgBoxResult kButtons[6][3] = {
    {vbOK, vbOK, vbOK},           {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
    {vbYes, vbNo, vbCancel},      {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
};
constexpr int kButtonCounts[6] = {1, 2, 3, 3, 2, 2};

int buttonSet(uint32_t style) {
    uint32_t set = style & kButtonsMask;
    return set < 6 ? int(set) : 0;
}

}  // namespace

int ButtonCount(uint32_t style) { return kButtonCounts[buttonSet(style)]; }

MsgBoxResult ButtonAnswer(uint32_t style, int index) {
    int set = buttonSet(style);
    if (index < 0 || index >= kButtonCounts[set]) index = 0;
    return kButtons[set][index];
}

MsgBoxResult DefaultAnswer(uint32_t style) { return ButtonAnswer(style, int((style & kDefaultButtonMask) >> 8)); }

MsgBoxResult UnattendedAnswer(uint32_t style) {
    switch (buttonSet(style)) {
    case 1: case 5: return vbCancel;
    case 2: return vbAbort;
    case 3: case 4: return vbNo;
    default: return vbOK;
    }
}

Services& Current() {
    Installed& state = installed();
    std::lock_guard guard(state.lock);
    if (!state.services) state.services = std::make_shared<ConsoleServices>();
    return *state.services;
}

std::shared_ptr<Services> Install(std::shared_ptr<Services> services) {
    Installed& state = installed();
    std::lock_guard guard(state.lock);
    std::swap(state.services, services);
    return services;
}

MsgBoxResult MsgBox(const std::u16string& text, uint32_t style, const std::u16string& title) {
    return Current().messageBox(text, style, title);
}

namespace {
// The coarse clock is read without a system call: cheap enough for every step of a loop.
std::chrono::nanoseconds coarseNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}
}  // namespace

void EventPump::maybePump() {
    auto now = coarseNow();
    if (pumped_ && now - last_ < interval_) return;
    pumpNow();
}

void EventPump::pumpNow() {
    last_ = coarseNow();
    pumped_ = true;
    Current().processPendingEvents();
}

}  // namespace ui
