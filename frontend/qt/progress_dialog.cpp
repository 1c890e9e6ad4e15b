#include "frontend/qt/progress_dialog.h"

#include <algorithm>

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>

#include "frontend/frm_progress.h"
#include "frontend/qt/twips.h"

namespace qtview {

ProgressDialog::ProgressDialog(frmProgress& form, QWidget* parent, double dpi)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), form_(form), dpi_(dpi) {
    Twips twips = dpi ? Twips(dpi) : Twips::of(this);
    setObjectName("frmProgress");
    setWindowTitle("Formatting Output");
    setModal(false);
    setFixedSize(twips.size(4155, 900));
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar1");
    bar_->setTextVisible(false);
    bar_->setGeometry(twips.rect(120, 120, 3975, 255));
    cancel_ = AddButton(this, "Cancel", "cmdCancel", twips.rect(3240, 480, 855, 300), false,
                        [this] { form_.cmdCancel_Click(); });
    form_.onChange = [this](const frmProgress&) { refresh(); };
    refresh();
}

ProgressDialog::~ProgressDialog() { form_.onChange = nullptr; }

void ProgressDialog::refresh() {
    const auto& bar = form_.ProgressBar1;
    if (bar.Max > bar.Min) {
        bar_->setRange(bar.Min, bar.Max);
        bar_->setValue(std::clamp(bar.Value, bar.Min, bar.Max));
    } else {  // an empty range would make Qt's bar a busy indicator
        bar_->setRange(0, 1);
        bar_->setValue(0);
    }
    if (form_.Visible && !isVisible()) {
        PlaceAt(this, form_.Bounds, dpi_ ? Twips(dpi_) : Twips::of(this));
        show();
    } else if (!form_.Visible && isVisible()) {
        hide();
    }
}

void ProgressDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace qtview
