// The QApplication the Qt tests share, always offscreen, and a way to act on the modal dialog a
// call is about to open.
#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>

namespace qttest {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");  // no test needs a display
    static auto* app = new QApplication(argc, argv);  // lives until the process ends
    return *app;
}

// Runs act on the modal widget once the event loop of the dialog about to open runs.
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, &App(), [act = std::move(act)] { act(QApplication::activeModalWidget()); });
}

}  // namespace qttest
