// The QApplication the Qt tests share, always offscreen, and a way to act on the modal dialog a
// call is about to open.
#pragma once

#include <functional>
#include <memory>

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

// Runs act on the modal widget once the dialog about to open is up. Should none come within
// five seconds, act gets null and any modal widget that comes later is closed, so that a test
// fails instead of waiting for ever.
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(&App());
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
        if (!modal) {
            QTimer::singleShot(100, &App(), [] {
                if (QWidget* late = QApplication::activeModalWidget()) late->close();
            });
        }
    });
    timer->start(10);
}

}  // namespace qttest
