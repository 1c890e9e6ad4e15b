// The show-once dialog's view. Install fills gShowOnce.Window so that the form's ShowOnce shows
// this dialog modally.
#pragma once

#include <QDialog>

class QCheckBox;
class frmShowOnce;

namespace qtview {

class ShowOnceDialog : public QDialog {
public:
    explicit ShowOnceDialog(frmShowOnce& form, QWidget* parent = nullptr, double dpi = 0);
    // Escape presses the hidden Cancel button.
    void reject() override;

    static void Install(frmShowOnce& form, double dpi = 0);

private:
    frmShowOnce& form_;
};

}  // namespace qtview
