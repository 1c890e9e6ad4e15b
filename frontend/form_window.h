// What a windowed front end does for a form. The forms hold their state and run their handlers;
// a front end that shows them fills these in. Without one (batch mode, tests), a modal form
// shown is closed at once as if Escape had been pressed, unless a test sets showModal.
#pragma once

#include <functional>

namespace frontend {

struct FormWindow {
    // Shows the form modally; returns once the form has been closed.
    std::function<void()> showModal;
    // The form closed itself (OK, Cancel, Exit): the front end takes its window down.
    std::function<void()> close;
    // A handler changed what the form shows: the front end reads the state again.
    std::function<void()> refresh;

    void requestClose() const {
        if (close) close();
    }
    void changed() const {
        if (refresh) refresh();
    }
};

}  // namespace frontend
