// The user-interface services the program and the components call: message boxes, file and
// folder dialogs, processing pending events and the mouse pointer. The host process installs a
// back end (console, scripted for tests, or the windowed one); until it does, the console one
// serves.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// Message box styles and answers, with the values of the platform's message box.
enum MsgBoxStyle : uint32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
constexpr uint32_t kButtonsMask = 0x0F;
constexpr uint32_t kIconMask = 0xF0;
constexpr uint32_t kDefaultButtonMask = 0xF00;

enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

enum class MousePointer { Default, Hourglass };

struct FileDialogRequest {
    bool save = false;
    std::u16string title;
    std::u16string filter;      // "Description|*.ext|Description|*.a;*.b"
    std::u16string initialDir;
    std::u16string fileName;
};

class Services {
public:
    virtual ~Services() = default;
    virtual MsgBoxResult messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) = 0;
    // The chosen path, or nothing when the dialog was closed without a choice.
    virtual std::optional<std::u16string> fileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::u16string> browseFolder(const std::u16string& title, const std::u16string& initialDir) = 0;
    virtual void processPendingEvents() = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;
};

// The buttons a style shows, in order, and the answer of its default button.
int ButtonCount(uint32_t style);
MsgBoxResult ButtonAnswer(uint32_t style, int index);
MsgBoxResult DefaultAnswer(uint32_t style);
// The answer a box gets when nobody can be asked: No, Cancel or Abort where the box offers one,
// otherwise its only button.
MsgBoxResult UnattendedAnswer(uint32_t style);

// The back end in use; the console one until another is installed.
Services& Current();
// Installs a back end for the process and returns the previous one (null if it was the default).
std::shared_ptr<Services> Install(std::shared_ptr<Services> services);

// Shows a message box through the current back end.
MsgBoxResult MsgBox(const std::u16string& text, uint32_t style = vbOKOnly, const std::u16string& title = {});

// Lets pending events run, at most once per interval however often it is called, so that a
// loop may call it after every step; the clock is read cheaply.
class EventPump {
public:
    explicit EventPump(std::chrono::milliseconds interval = std::chrono::milliseconds(20)) : interval_(interval) {}
    void maybePump();
    void pumpNow();

private:
    std::chrono::milliseconds interval_;
    std::chrono::nanoseconds last_{};
    bool pumped_ = false;
};

}  // namespace ui
