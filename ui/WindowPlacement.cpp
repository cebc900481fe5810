#include "ui/WindowPlacement.h"

#include <QWidget>

void WindowPlacement::CentreOn(QWidget& window, const QWidget& owner) {
    window.adjustSize();
    const QRect o = owner.frameGeometry();
    const QSize s = window.frameGeometry().size();
    window.move(o.left() + o.width() / 2 - s.width() / 2, o.top() + o.height() / 2 - s.height() / 2);
}

void WindowPlacement::CoverClientArea(QWidget& window, const QWidget& owner) {
    const QRect client(owner.mapToGlobal(QPoint(0, 0)), owner.size());
    // move() places the frame; resize() sizes what lies inside it.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    window.move(client.topLeft());
    window.resize(client.size() - frame);
}
