// The console back end: boxes and dialogs are written to standard error; a question is read from
// the terminal when standard input is one, and otherwise answered as nobody is there to answer
// (No, Cancel or Abort). Ctrl+C, once caught, reaches the cancel handler at the next processing
// of pending events, as a click on Cancel would.
#pragma once

#include <cstdio>
#include <functional>

#include "platform/ui/ui_services.h"

namespace ui {

class ConsoleServices : public Services {
public:
    // in: where answers are read from; err: where boxes are written. interactive: whether a
    // person can answer (by default, whether standard input is a terminal).
    ConsoleServices();
    ConsoleServices(FILE* in, FILE* err, bool interactive);

    MsgBoxResult messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) override;
    std::optional<std::u16string> fileDialog(const FileDialogRequest& request) override;
    std::optional<std::u16string> browseFolder(const std::u16string& title, const std::u16string& initialDir) override;
    void processPendingEvents() override;
    void setMousePointer(MousePointer) override {}

    // Catches SIGINT from now on; each Ctrl+C calls onCancel at the next processing of events.
    static void catchInterrupt(std::function<void()> onCancel);

private:
    std::optional<std::u16string> askLine(const std::u16string& prompt);

    FILE* in_;
    FILE* err_;
    bool interactive_;
};

}  // namespace ui
