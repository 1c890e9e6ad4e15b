#include "frontend/qt/about_dialog.h"
#include "frontend/qt/modal_form.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "frontend/frm_about.h"
#include "frontend/qt/twips.h"

namespace qtview {

AboutDialog::AboutDialog(frmAbout& form, QWidget* parent, double dpi)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), form_(form) {
    Twips t = dpi ? Twips(dpi) : Twips::of(this);
    setObjectName("frmAbout");
    setWindowTitle(Q(form.Caption));
    setFixedSize(t.size(5610, 3375));

    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    QIcon programIcon = QApplication::windowIcon();
    if (programIcon.isNull()) programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setPixmap(programIcon.pixmap(t.px(480), t.px(480)));
    icon->setGeometry(t.rect(240, 240, 540, 540));

    auto label = [&](const std::u16string& text, const char* name, QRect geometry) {
        auto* widget = new QLabel(Q(text), this);
        widget->setObjectName(name);
        widget->setWordWrap(true);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget->setGeometry(geometry);
        return widget;
    };
    QLabel* title = label(form.lblTitle, "lblTitle", t.rect(1050, 240, 4335, 480));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    title->setFont(big);
    label(form.lblVersion, "lblVersion", t.rect(1050, 840, 4335, 255));
    label(form.lblDescription, "lblDescription", t.rect(1050, 1320, 4335, 1050));

    auto rule = [&](const char* name, QRect geometry) {
        auto* line = new QFrame(this);
        line->setObjectName(name);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(geometry);
    };
    rule("Line1", t.rect(1050, 1140, 4335, 30));
    rule("Line2", t.rect(120, 2460, 5370, 30));

    AddButton(this, "OK", "cmdOK", t.rect(4125, 2625, 1260, 345), true, [this] { form_.cmdOK_Click(); });
    AddButton(this, "&System Info...", "cmdSysInfo", t.rect(4125, 3000, 1260, 345), false,
              [this] { form_.cmdSysInfo_Click(); });
    PlaceAt(this, form.Bounds, t);
}

void AboutDialog::reject() { form_.cmdOK_Click(); }

void AboutDialog::Install(frmAbout& form, double dpi) {
    InstallModal<AboutDialog>(form, dpi);
}

}  // namespace qtview
