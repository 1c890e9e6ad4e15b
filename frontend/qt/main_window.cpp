#include "frontend/qt/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "frontend/frm_main.h"

namespace qtview {

namespace {

template <class W>
W* Placed(W* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

void ShowText(QLineEdit* box, const frontend::TextBox& state) {
    QString text = Q(state.Text);
    if (box->text() != text) box->setText(text);
    box->setEnabled(state.Enabled);
    QPalette palette = box->parentWidget()->palette();
    if (state.BackColor == frontend::SystemColor::ButtonFace) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    }
    box->setPalette(palette);
    box->setToolTip(Q(state.ToolTipText));
}

void ShowCheck(QCheckBox* box, const frontend::CheckBox& state) {
    box->setChecked(state.Value != 0);
    box->setEnabled(state.Enabled);
    box->setToolTip(Q(state.ToolTipText));
}

void ShowButton(QPushButton* button, const frontend::CommandButton& state, bool refused) {
    button->setEnabled(state.Enabled && !refused);
    button->setToolTip(Q(state.ToolTipText));
}

}  // namespace

MainWindow::MainWindow(frmMain& form, double dpi) : form_(form), twips_(dpi ? Twips(dpi) : Twips::of(this)) {
    setObjectName("frmMain");
    auto* client = new QWidget(this);
    client->setFixedSize(twips_.size(7785, 4200));
    setCentralWidget(client);
    buildControls(client);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    form_.Window.refresh = [this] { refresh(); };
    form_.Window.close = [this] {
        formClosed_ = true;
        close();
    };
    refresh();
    PlaceAt(this, form_.Bounds, twips_);
}

MainWindow::~MainWindow() {
    form_.Window.refresh = nullptr;
    form_.Window.close = nullptr;
}

void MainWindow::buildControls(QWidget* client) {
    const Twips& t = twips_;
    auto* frame = Placed(new QGroupBox(client), "Frame1", t.rect(120, 120, 7575, 3375));
    auto textRow = [&](const char* label, const char* labelName, const char* name, const char* browse, double top,
                       QLineEdit*& box, QPushButton*& button) {
        auto* caption = Placed(new QLabel(label, frame), labelName, t.rect(120, top + 45, 1275, 255));
        box = Placed(new QLineEdit(frame), name, t.rect(1440, top, 4695, 330));
        caption->setBuddy(box);
        button = Placed(new QPushButton("Browse", frame), browse, t.rect(6240, top, 1095, 330));
        button->setAutoDefault(false);
    };
    auto check = [&](const char* text, const char* name, double top) {
        return Placed(new QCheckBox(text, frame), name, t.rect(1440, top, 4695, 255));
    };
    textRow("&Input File:", "lblInputFile", "txtInputFilename", "cmdBrowseInput", 360, txtInputFilename_,
            cmdBrowseInput_);
    chkDosText_ = check("DOS Text", "chkDosText", 720);
    textRow("&Output File:", "lblOutputFile", "txtOutputFilename", "cmdBrowseOutput", 1200, txtOutputFilename_,
            cmdBrowseOutput_);
    chkUseDefaultHLX_ = check("&Use default syntax file for this file type", "chkUseDefaultHLX", 1680);
    textRow("&Syntax File:", "lblHLXFile", "txtHLXFileName", "cmdBrowseHLX", 2040, txtHLXFileName_, cmdBrowseHLX_);
    lblDefaultHLX_ = Placed(new QLabel(frame), "lblDefaultHLX", t.rect(1440, 2415, 4695, 255));
    chkShowOutput_ = check("&Show output after formatting", "chkShowOutput", 2760);
    cmdGo_ = Placed(new QPushButton("&Go", client), "cmdGo", t.rect(5160, 3720, 1095, 330));
    cmdGo_->setDefault(true);
    cmdExit_ = Placed(new QPushButton("E&xit", client), "cmdExit", t.rect(6480, 3720, 1095, 330));
    cmdExit_->setAutoDefault(false);

    QWidget* order[] = {txtInputFilename_, cmdBrowseInput_,  chkDosText_,     txtOutputFilename_,
                        cmdBrowseOutput_,  chkUseDefaultHLX_, txtHLXFileName_, cmdBrowseHLX_,
                        chkShowOutput_,    cmdGo_,           cmdExit_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(txtInputFilename_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.setInputFilename(U(text));
        refresh();
    });
    connect(txtOutputFilename_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.setOutputFilename(U(text));
        refresh();
    });
    connect(txtHLXFileName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.txtHLXFileName.Text = U(text);
    });
    connect(chkDosText_, &QCheckBox::clicked, this, [this](bool on) { form_.chkDosText.Value = on ? 1 : 0; });
    connect(chkShowOutput_, &QCheckBox::clicked, this, [this](bool on) { form_.chkShowOutput.Value = on ? 1 : 0; });
    connect(chkUseDefaultHLX_, &QCheckBox::clicked, this, [this](bool on) {
        form_.setUseDefaultHLX(on ? 1 : 0);
        refresh();
    });
    auto forward = [this](QPushButton* button, void (frmMain::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { run(handler); });
    };
    forward(cmdBrowseInput_, &frmMain::cmdBrowseInput_Click);
    forward(cmdBrowseOutput_, &frmMain::cmdBrowseOutput_Click);
    forward(cmdBrowseHLX_, &frmMain::cmdBrowseHLX_Click);
    forward(cmdGo_, &frmMain::cmdGo_Click);
    connect(cmdExit_, &QPushButton::clicked, this, [this] { form_.cmdExit_Click(); });
}

void MainWindow::buildMenus() {
    auto item = [this](QMenu* menu, const QString& text, const char* name, void (frmMain::*handler)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { run(handler); });
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    item(file, "E&xit", "mnuFileExit", &frmMain::mnuFileExit_Click);
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    item(help, "&Help", "mnuHelpHelp", &frmMain::mnuHelpHelp_Click)->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    item(help, "&Feedback", "mnuFeedback", &frmMain::mnuFeedback_Click);
    item(help, "&Support", "mnuSupport", &frmMain::mnuSupport_Click);
    help->addSeparator();
    mnuHelpAbout_ = item(help, {}, "mnuHelpAbout", &frmMain::mnuHelpAbout_Click);
}

void MainWindow::run(void (frmMain::*handler)()) {
    (form_.*handler)();
    refresh();
}

void MainWindow::refresh() {
    setWindowTitle(Q(form_.Caption));
    mnuHelpAbout_->setText(Q(form_.mnuHelpAboutCaption));
    ShowText(txtInputFilename_, form_.txtInputFilename);
    ShowText(txtOutputFilename_, form_.txtOutputFilename);
    ShowText(txtHLXFileName_, form_.txtHLXFileName);
    ShowCheck(chkDosText_, form_.chkDosText);
    ShowCheck(chkUseDefaultHLX_, form_.chkUseDefaultHLX);
    lblDefaultHLX_->setText(Q(form_.lblDefaultHLX));
    ShowCheck(chkShowOutput_, form_.chkShowOutput);
    bool busy = form_.Busy();
    ShowButton(cmdBrowseInput_, form_.cmdBrowseInput, busy);
    ShowButton(cmdBrowseOutput_, form_.cmdBrowseOutput, busy);
    ShowButton(cmdBrowseHLX_, form_.cmdBrowseHLX, busy);
    ShowButton(cmdGo_, form_.cmdGo, busy);
    ShowButton(cmdExit_, form_.cmdExit, false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (formClosed_ || form_.QueryClose()) {
        event->accept();
    } else {
        event->ignore();
        refresh();
    }
}

// Only a dialog presses its default button on Enter; here the key comes up from a text box, a
// check box or a button that does not take Enter itself.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    bool plain = event->modifiers() == Qt::NoModifier;
    bool keypad = event->key() == Qt::Key_Enter && event->modifiers() == Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (plain || keypad)) {
        cmdGo_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::noteBounds() { form_.Bounds = BoundsOf(this, twips_); }

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    noteBounds();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    noteBounds();
}

}  // namespace qtview
