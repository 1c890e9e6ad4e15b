// Form coordinates are twips: 15 to a pixel at 96 dots per inch, scaled by the screen's logical
// DPI. Helpers shared by the views.
#pragma once

#include <string>

#include <QRect>
#include <QScreen>
#include <QString>
#include <QPushButton>
#include <QWidget>

#include "engine/center_form.h"

namespace qtview {

class Twips {
public:
    explicit Twips(double dpi) : scale_(dpi / 96.0 / 15.0) {}
    // The logical DPI of the screen the widget is on (96 when there is none).
    static Twips of(const QWidget* widget) {
        QScreen* screen = widget ? widget->screen() : nullptr;
        return Twips(screen ? screen->logicalDotsPerInch() : 96.0);
    }
    int px(double twips) const { return qRound(twips * scale_); }
    double twips(int px) const { return px / scale_; }
    QRect rect(double left, double top, double width, double height) const {
        return QRect(px(left), px(top), px(width), px(height));
    }
    QSize size(double width, double height) const { return QSize(px(width), px(height)); }

private:
    double scale_;
};

inline QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

// A dialog's push button at its place; the default one is what Enter presses (the others never
// become default on focus); a click runs onClick.
template <class Handler>
QPushButton* AddButton(QWidget* dialog, const char* caption, const char* name, const QRect& place, bool isDefault,
                       Handler onClick) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    button->setGeometry(place);
    QObject::connect(button, &QPushButton::clicked, dialog, onClick);
    return button;
}
inline std::u16string U(const QString& text) { return text.toStdU16String(); }

// Moves a window to the place its form chose; a form left at 0,0 lets the window manager place it.
inline void PlaceAt(QWidget* window, const engine::FormRect& bounds, const Twips& twips) {
    if (bounds.left != 0 || bounds.top != 0) window->move(twips.px(bounds.left), twips.px(bounds.top));
}

// The window's outer rectangle in twips, as the forms keep it.
inline engine::FormRect BoundsOf(const QWidget* window, const Twips& twips) {
    QRect frame = window->frameGeometry();
    return {twips.twips(frame.x()), twips.twips(frame.y()), twips.twips(frame.width()), twips.twips(frame.height())};
}

}  // namespace qtview
