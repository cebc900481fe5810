#include "ui/WindowPlacement.h"

#include <QWidget>

void WindowPlacement::CentreOn(QWidget& window, const QWidget& owner) {
    window.adjustSize();
    const QRect o = owner.frameGeometry();
    const QSize s = window.frameGeometry().size();
    window.move(o.left() + o.width() / 2 - s.width() / 2, o.top() + o.height() / 2 - s.height() / 2);
}
