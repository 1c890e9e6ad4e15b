// The About dialog's view. Install fills gAbout.Window so that the form shows this dialog.
#pragma once

#include <QDialog>

class frmAbout;

namespace qtview {

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(frmAbout& form, QWidget* parent = nullptr, double dpi = 0);
    void reject() override;  // Escape presses OK

    static void Install(frmAbout& form, double dpi = 0);

private:
    frmAbout& form_;
};

}  // namespace qtview
