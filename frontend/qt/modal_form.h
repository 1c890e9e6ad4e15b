// A form shown modally by a Qt dialog of its own whenever the form asks, and closed when the
// form closes itself.
#pragma once

#include <QApplication>
#include <QDialog>

namespace qtview {

template <class Dialog, class Form>
void InstallModal(Form& form, double dpi) {
    form.Window.showModal = [&form, dpi] {
        Dialog dialog(form, QApplication::activeWindow(), dpi);
        form.Window.close = [&dialog] { dialog.done(QDialog::Accepted); };
        dialog.exec();
        form.Window.close = nullptr;
    };
}

}  // namespace qtview
