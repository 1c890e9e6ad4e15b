// The progress dialog's view: a tool window with the bar and Cancel, shown, updated and hidden
// through gProgress.onChange while a conversion runs. Escape and the window's close button do
// nothing; only Cancel stops the conversion.
#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;
class frmProgress;

namespace qtview {

class ProgressDialog : public QDialog {
public:
    // Takes over form.onChange for its lifetime. dpi 0: the screen's.
    explicit ProgressDialog(frmProgress& form, QWidget* parent = nullptr, double dpi = 0);
    ~ProgressDialog() override;

    void refresh();
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmProgress& form_;
    double dpi_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

}  // namespace qtview
