// The windowed back end: the boxes a style asks for, their answers, file dialog requests turned
// into Qt dialogs, and the wait cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "frontend/qt/tests/qt_test_app.h"
#include "platform/ui/qt_ui.h"

namespace {

using namespace ui;

struct BoxCase {
    const char* name;
    uint32_t style;
    std::vector<MsgBoxResult> answers;  // the buttons shown
    MsgBoxResult defaultAnswer;
    QMessageBox::Icon icon;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class QtMessageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageBox, ShowsTheStylesButtonsIconAndDefault) {
    qttest::App();
    const BoxCase& c = GetParam();
    auto box = QtServices::makeMessageBox(u"text", c.style, u"title");
    std::vector<MsgBoxResult> shown;
    for (QAbstractButton* button : box->buttons()) shown.push_back(MsgBoxResult(button->property("answer").toInt()));
    std::sort(shown.begin(), shown.end());
    std::vector<MsgBoxResult> expected = c.answers;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, shown);
    ASSERT_NE(nullptr, box->defaultButton());
    EXPECT_EQ(c.defaultAnswer, box->defaultButton()->property("answer").toInt());
    EXPECT_EQ(c.icon, box->icon());
    EXPECT_EQ("title", box->windowTitle());
    EXPECT_EQ("text", box->text());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, QtMessageBox,
    ::testing::Values(
        BoxCase{"OK", vbOKOnly, {vbOK}, vbOK, QMessageBox::NoIcon},
        BoxCase{"OKCancel", vbOKCancel | vbQuestion | vbDefaultButton2, {vbOK, vbCancel}, vbCancel, QMessageBox::Question},
        BoxCase{"AbortRetryIgnore", vbAbortRetryIgnore | vbCritical | vbDefaultButton3, {vbAbort, vbRetry, vbIgnore},
                vbIgnore, QMessageBox::Critical},
        BoxCase{"YesNoCancel", vbYesNoCancel | vbExclamation | vbDefaultButton2, {vbYes, vbNo, vbCancel}, vbNo,
                QMessageBox::Warning},
        BoxCase{"YesNo", vbYesNo | vbInformation, {vbYes, vbNo}, vbYes, QMessageBox::Information},
        BoxCase{"RetryCancel", vbRetryCancel | vbDefaultButton2, {vbRetry, vbCancel}, vbCancel, QMessageBox::NoIcon}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    uint32_t style;
    Qt::Key key;
    MsgBoxResult answer;
};

TEST(QtMessageBoxAnswer, EnterPressesTheDefaultAndEscapeCancels) {
    qttest::App();
    const KeyCase cases[] = {
        {vbYesNoCancel | vbDefaultButton2, Qt::Key_Return, vbNo},
        {vbAbortRetryIgnore | vbDefaultButton3, Qt::Key_Return, vbIgnore},
        {vbYesNoCancel, Qt::Key_Escape, vbCancel},
        {vbOKOnly, Qt::Key_Escape, vbOK},
    };
    QtServices services;
    for (const KeyCase& c : cases) {
        qttest::WhenModal([&](QWidget* box) { QTest::keyClick(box, c.key); });
        EXPECT_EQ(c.answer, services.messageBox(u"?", c.style, u"t")) << "style " << c.style << " key " << c.key;
    }
}

TEST(QtFilter, TurnsPipeListsIntoQtFilters) {
    const std::pair<std::u16string, QString> cases[] = {
        {u"Text|*.txt", "Text (*.txt)"},
        {u"ASP Files|*.asp;*.asa|All Files|*.*", "ASP Files (*.asp *.asa);;All Files (*.*)"},
        {u"HTML|*.htm; *.html|", "HTML (*.htm *.html)"},
        {u"", ""},
    };
    for (const auto& [filter, qt] : cases) EXPECT_EQ(qt, QtServices::qtFilter(filter)) << qt.toStdString();
}

TEST(QtFileDialog, FollowsTheRequest) {
    qttest::App();
    FileDialogRequest save{true, u"Save as", u"HTML|*.htm;*.html", u"/tmp", u"out.htm"};
    auto dialog = QtServices::makeFileDialog(save);
    EXPECT_EQ(QFileDialog::AcceptSave, dialog->acceptMode());
    EXPECT_EQ("Save as", dialog->windowTitle());
    EXPECT_EQ("/tmp", dialog->directory().absolutePath());
    EXPECT_EQ(QStringList{"HTML (*.htm *.html)"}, dialog->nameFilters());

    FileDialogRequest open{false, u"Open", u"", u"/", u""};
    dialog = QtServices::makeFileDialog(open);
    EXPECT_EQ(QFileDialog::AcceptOpen, dialog->acceptMode());
    EXPECT_EQ(QFileDialog::ExistingFile, dialog->fileMode());
    EXPECT_EQ("/", dialog->directory().absolutePath());

    auto folder = QtServices::makeFolderDialog(u"Pick", u"/tmp");
    EXPECT_EQ(QFileDialog::Directory, folder->fileMode());
    EXPECT_EQ("/tmp", folder->directory().absolutePath());
}

TEST(QtMousePointer, HourglassIsSetOnceAndRestoredOnce) {
    qttest::App();
    QApplication::setOverrideCursor(Qt::CrossCursor);  // someone else's
    {
        QtServices services;
        services.setMousePointer(MousePointer::Default);
        ASSERT_NE(nullptr, QApplication::overrideCursor());
        EXPECT_EQ(Qt::CrossCursor, QApplication::overrideCursor()->shape());
        services.setMousePointer(MousePointer::Hourglass);
        services.setMousePointer(MousePointer::Hourglass);
        EXPECT_EQ(Qt::WaitCursor, QApplication::overrideCursor()->shape());
        services.setMousePointer(MousePointer::Default);
        EXPECT_EQ(Qt::CrossCursor, QApplication::overrideCursor()->shape());
        services.setMousePointer(MousePointer::Hourglass);
    }  // a back end going away takes its hourglass with it
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Qt::CrossCursor, QApplication::overrideCursor()->shape());
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

}  // namespace
