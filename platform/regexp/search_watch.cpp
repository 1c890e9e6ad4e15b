#include "platform/regexp/search_watch.h"

namespace regexp {

SearchWatch*& SearchWatch::current() {
    thread_local SearchWatch* watch = nullptr;
    return watch;
}

SearchWatch::SearchWatch(std::function<bool()> tick, std::chrono::milliseconds interval)
    : tick_(std::move(tick)), previous_(current()) {
    current() = this;
    clock_ = std::thread([this, interval] { tickEvery(interval); });
}

SearchWatch::~SearchWatch() {
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
    }
    wake_.notify_one();
    clock_.join();
    current() = previous_;
}

bool SearchWatch::TickingHere() {
    SearchWatch* watch = current();
    return watch && watch->ticking_;
}

void SearchWatch::tickEvery(std::chrono::milliseconds interval) {
    std::unique_lock guard(lock_);
    while (!wake_.wait_for(guard, interval, [this] { return stopping_; })) due_.store(true, std::memory_order_relaxed);
}

bool SearchWatch::tickNow() {
    if (ticking_) return true;  // a search run by the tick function itself
    due_.store(false, std::memory_order_relaxed);
    struct TickRunning {
        explicit TickRunning(bool& ticking) : ticking_(ticking) {
            ticking_ = true;
            gTicksRunning.fetch_add(1, std::memory_order_relaxed);
        }
        ~TickRunning() {
            gTicksRunning.fetch_sub(1, std::memory_order_relaxed);
            ticking_ = false;
        }
        bool& ticking_;
    } running(ticking_);
    return tick_();
}

}  // namespace regexp
