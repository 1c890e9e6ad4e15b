// A back end for tests: records every box and dialog, answers from queues, and runs a hook
// whenever pending events are processed (a test uses it to press Cancel mid-way).
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/ui_services.h"

namespace ui {

class ScriptedServices : public Services {
public:
    struct Box {
        std::u16string text;
        uint32_t style;
        std::u16string title;
    };

    MsgBoxResult messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) override;
    std::optional<std::u16string> fileDialog(const FileDialogRequest& request) override;
    std::optional<std::u16string> browseFolder(const std::u16string& title, const std::u16string& initialDir) override;
    void processPendingEvents() override;
    void setMousePointer(MousePointer pointer) override;

    // Recorded calls.
    std::vector<Box> boxes;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::u16string> folderRequests;
    int pumps = 0;
    MousePointer pointer = MousePointer::Default;

    // Answers, used in order; an empty queue answers a box with its default button and a
    // dialog with no choice.
    std::deque<MsgBoxResult> answers;
    std::deque<std::optional<std::u16string>> fileAnswers;
    std::deque<std::optional<std::u16string>> folderAnswers;
    std::function<void()> onPump;
};

// Installs a scripted back end for as long as it lives, then puts the previous one back.
class ScopedScriptedServices {
public:
    ScopedScriptedServices();
    ~ScopedScriptedServices();
    ScopedScriptedServices(const ScopedScriptedServices&) = delete;
    ScopedScriptedServices& operator=(const ScopedScriptedServices&) = delete;
    ScriptedServices* operator->() const { return services_.get(); }
    ScriptedServices& operator*() const { return *services_; }

private:
    std::shared_ptr<ScriptedServices> services_;
    std::shared_ptr<Services> previous_;
};

}  // namespace ui
