// The main window's view: shows frmMain's controls and forwards every event to its handlers.
#pragma once

#include <QMainWindow>

#include "frontend/qt/twips.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmMain;

namespace qtview {

class MainWindow : public QMainWindow {
public:
    // Fills form.Window; dpi 0: the screen's.
    explicit MainWindow(frmMain& form, double dpi = 0);
    ~MainWindow() override;

    // Shows the form's state again.
    void refresh();
    // Runs one of the form's handlers, then shows what it changed.
    void run(void (frmMain::*handler)());

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter presses Go, as a dialog's default button would be pressed.
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls(QWidget* client);
    void buildMenus();
    void noteBounds();

    frmMain& form_;
    Twips twips_;
    QLineEdit *txtInputFilename_, *txtOutputFilename_, *txtHLXFileName_;
    QCheckBox *chkDosText_, *chkUseDefaultHLX_, *chkShowOutput_;
    QLabel* lblDefaultHLX_;
    QPushButton *cmdBrowseInput_, *cmdBrowseOutput_, *cmdBrowseHLX_, *cmdGo_, *cmdExit_;
    QAction* mnuHelpAbout_;
    bool formClosed_ = false;  // the form agreed to close: the close event asks no more
};

}  // namespace qtview
