// Searches that stay interruptible however long they run. While a SearchWatch is installed on a
// thread, every search on that thread calls the watch's tick function about once per interval:
// inside the engine through callouts, which the translation to PCRE2 puts wherever the engine
// loops or backtracks (after a greedy repeat, before a lazy one, before each alternative but the
// first), and in the caller's own search loops through Checkpoint() (among them the search that
// runs PCRE2 without callouts a bounded stretch at a time). The tick function may let
// pending events run (searches run inside it use resources of their own); when it returns false
// the search stops by throwing SearchInterrupted. The watch's thread only sets a flag at each
// interval: the ticks run on the searching thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace regexp {

class SearchInterrupted : public std::exception {
public:
    const char* what() const noexcept override { return "the search was interrupted"; }
};

class SearchWatch {
public:
    explicit SearchWatch(std::function<bool()> tick, std::chrono::milliseconds interval = std::chrono::milliseconds(20));
    ~SearchWatch();
    SearchWatch(const SearchWatch&) = delete;
    SearchWatch& operator=(const SearchWatch&) = delete;

    // Runs the tick function of this thread's watch when one is due; false when it asks to stop.
    // Cheap when no tick is due.
    static bool KeepGoing() { return KeepGoing(current()); }
    // The same with this thread's slot (ThisThread()), for callers that keep it.
    static bool KeepGoing(SearchWatch* watch) {
        return !watch || !watch->due_.load(std::memory_order_relaxed) || watch->tickNow();
    }
    // Where this thread's watch is found: it stays the same place for the thread's life.
    static SearchWatch* const& ThisThread() { return current(); }
    // KeepGoing for the caller's own loops: throws SearchInterrupted when asked to stop.
    static void Checkpoint() {
        if (!KeepGoing()) throw SearchInterrupted();
    }
    // True while a tick function runs on this thread. Cheap while none runs on any thread.
    static bool Ticking() { return gTicksRunning.load(std::memory_order_relaxed) != 0 && TickingHere(); }

private:
    static inline std::atomic<int> gTicksRunning{0};  // tick functions running, on all threads
    static bool TickingHere();
    static SearchWatch*& current();
    bool tickNow();
    void tickEvery(std::chrono::milliseconds interval);

    std::function<bool()> tick_;
    std::atomic<bool> due_{false};
    bool ticking_ = false;
    SearchWatch* previous_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread clock_;
};

}  // namespace regexp
