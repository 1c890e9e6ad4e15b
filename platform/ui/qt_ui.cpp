#include "platform/ui/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace ui {

namespace {

QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

QMessageBox::StandardButton StandardButtonFor(MsgBoxResult answer) {
    switch (answer) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(uint32_t style) {
    switch (style & kIconMask) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

constexpr char kAnswer[] = "answer";

}  // namespace

QtServices::~QtServices() {
    if (hourglass_ && QApplication::instance()) QApplication::restoreOverrideCursor();
}

std::unique_ptr<QMessageBox> QtServices::makeMessageBox(const std::u16string& text, uint32_t style,
                                                        const std::u16string& title) {
    auto box = std::make_unique<QMessageBox>(IconFor(style), Q(title), Q(text), QMessageBox::NoButton,
                                             QApplication::activeWindow());
    MsgBoxResult defaultAnswer = DefaultAnswer(style);
    QAbstractButton* escape = nullptr;
    for (int i = 0; i < ButtonCount(style); ++i) {
        MsgBoxResult answer = ButtonAnswer(style, i);
        QPushButton* button = box->addButton(StandardButtonFor(answer));
        button->setProperty(kAnswer, int(answer));
        if (answer == defaultAnswer) box->setDefaultButton(button);
        // Escape answers Cancel where the box has it, and OK on a box with nothing else.
        if (answer == vbCancel || ButtonCount(style) == 1) escape = button;
    }
    box->setEscapeButton(escape);
    return box;
}

MsgBoxResult QtServices::messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) {
    auto box = makeMessageBox(text, style, title);
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    if (!clicked) return UnattendedAnswer(style);
    return MsgBoxResult(clicked->property(kAnswer).toInt());
}

QString QtServices::qtFilter(const std::u16string& filter) {
    QStringList parts = Q(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) pattern = pattern.trimmed();
        filters << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return filters.join(";;");
}

std::unique_ptr<QFileDialog> QtServices::makeFileDialog(const FileDialogRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(QApplication::activeWindow(), Q(request.title), Q(request.initialDir));
    dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.filter.empty()) dialog->setNameFilter(qtFilter(request.filter));
    if (!request.fileName.empty()) dialog->selectFile(Q(request.fileName));
    return dialog;
}

std::unique_ptr<QFileDialog> QtServices::makeFolderDialog(const std::u16string& title, const std::u16string& initialDir) {
    auto dialog = std::make_unique<QFileDialog>(QApplication::activeWindow(), Q(title), Q(initialDir));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return dialog;
}

namespace {
std::optional<std::u16string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdU16String();
}
}  // namespace

std::optional<std::u16string> QtServices::fileDialog(const FileDialogRequest& request) {
    return Chosen(*makeFileDialog(request));
}

std::optional<std::u16string> QtServices::browseFolder(const std::u16string& title, const std::u16string& initialDir) {
    return Chosen(*makeFolderDialog(title, initialDir));
}

void QtServices::processPendingEvents() { QCoreApplication::processEvents(); }

void QtServices::setMousePointer(MousePointer pointer) {
    bool hourglass = pointer == MousePointer::Hourglass;
    if (hourglass == hourglass_) return;
    hourglass_ = hourglass;
    if (hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace ui
