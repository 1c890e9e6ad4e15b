#include "platform/ui/scripted_ui.h"

namespace ui {

namespace {
template <class T>
T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}
}  // namespace

MsgBoxResult ScriptedServices::messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) {
    boxes.push_back({text, style, title});
    return takeFront(answers, DefaultAnswer(style));
}

std::optional<std::u16string> ScriptedServices::fileDialog(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    return takeFront<std::optional<std::u16string>>(fileAnswers, std::nullopt);
}

std::optional<std::u16string> ScriptedServices::browseFolder(const std::u16string& title, const std::u16string&) {
    folderRequests.push_back(title);
    return takeFront<std::optional<std::u16string>>(folderAnswers, std::nullopt);
}

void ScriptedServices::processPendingEvents() {
    ++pumps;
    if (onPump) onPump();
}

void ScriptedServices::setMousePointer(MousePointer p) { pointer = p; }

ScopedScriptedServices::ScopedScriptedServices()
    : services_(std::make_shared<ScriptedServices>()), previous_(Install(services_)) {}

ScopedScriptedServices::~ScopedScriptedServices() { Install(previous_); }

}  // namespace ui
