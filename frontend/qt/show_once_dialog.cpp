#include "frontend/qt/show_once_dialog.h"
#include "frontend/qt/modal_form.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "frontend/frm_show_once.h"
#include "frontend/qt/twips.h"

namespace qtview {

ShowOnceDialog::ShowOnceDialog(frmShowOnce& form, QWidget* parent, double dpi)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), form_(form) {
    Twips t = dpi ? Twips(dpi) : Twips::of(this);
    setObjectName("frmShowOnce");
    setWindowTitle(Q(form.Caption));
    setFixedSize(t.size(form.Bounds.width, frmShowOnce::ClientHeight(LONG(form.Bounds.height))));

    auto* icon = new QLabel(this);
    icon->setObjectName("imgIcon");
    int side = t.px(480);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(side, side));
    icon->setGeometry(t.rect(120, 120, 480, 480));

    auto* message = new QLabel(Q(form.lblMessage), this);
    message->setObjectName("lblMessage");
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setGeometry(t.rect(720, 120, 3495, std::max<double>(1575, form.chkHideTop - 240)));

    auto* hide = new QCheckBox("Don't show this message again", this);
    hide->setObjectName("chkHide");
    hide->setChecked(form.chkHide.Value != 0);
    hide->setGeometry(t.rect(720, form.chkHideTop, 3495, 255));
    connect(hide, &QCheckBox::toggled, this, [this](bool on) { form_.chkHide.Value = on ? 1 : 0; });

    AddButton(this, "OK", "cmdOk", t.rect(3120, form.cmdOkTop, 1095, 330), true, [this] { form_.cmdOk_Click(); });
    AddButton(this, "Cancel", "cmdCancel", t.rect(3120, form.cmdCancelTop, 1095, 330), false,
              [this] { form_.cmdCancel_Click(); });
    PlaceAt(this, form.Bounds, t);
}

void ShowOnceDialog::reject() { form_.cmdCancel_Click(); }

void ShowOnceDialog::Install(frmShowOnce& form, double dpi) {
    InstallModal<ShowOnceDialog>(form, dpi);
}

}  // namespace qtview
