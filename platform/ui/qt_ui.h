// The windowed back end: Qt message boxes, file and folder dialogs, Qt's event loop and its
// wait cursor. Installed by the program once a QApplication exists.
#pragma once

#include <memory>

#include <QString>

#include "platform/ui/ui_services.h"

class QFileDialog;
class QMessageBox;

namespace ui {

class QtServices : public Services {
public:
    ~QtServices() override;

    MsgBoxResult messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) override;
    std::optional<std::u16string> fileDialog(const FileDialogRequest& request) override;
    std::optional<std::u16string> browseFolder(const std::u16string& title, const std::u16string& initialDir) override;
    void processPendingEvents() override;
    void setMousePointer(MousePointer pointer) override;

    // The box for a style, its buttons in the style's order, each carrying its answer in the
    // property "answer".
    static std::unique_ptr<QMessageBox> makeMessageBox(const std::u16string& text, uint32_t style,
                                                       const std::u16string& title);
    static std::unique_ptr<QFileDialog> makeFileDialog(const FileDialogRequest& request);
    static std::unique_ptr<QFileDialog> makeFolderDialog(const std::u16string& title, const std::u16string& initialDir);
    // "Text|*.txt;*.asc|All|*.*" becomes "Text (*.txt *.asc);;All (*.*)".
    static QString qtFilter(const std::u16string& filter);

private:
    bool hourglass_ = false;
};

}  // namespace ui
