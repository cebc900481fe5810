#include "ui/WindowPlacement.h"

#include <QMainWindow>
#include <QWidget>

namespace {

// The window manager's decoration around a shown window. Before it is
// shown Qt knows none (and may tell a frame one pixel short).
QMargins FrameOf(const QWidget& w) {
    if (!w.isVisible()) return {};
    const QRect f = w.frameGeometry(), g = w.geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

}  // namespace

void WindowPlacement::CentreOn(QWidget& window, const QWidget& owner) {
    window.adjustSize();
    const QRect o = owner.frameGeometry();
    const QSize s = window.frameGeometry().size();
    window.move(o.left() + o.width() / 2 - s.width() / 2, o.top() + o.height() / 2 - s.height() / 2);
}

void WindowPlacement::CoverClientArea(QWidget& window, const QWidget& owner) {
    const QMargins ownerFrame = FrameOf(owner);
    const QRect outer = owner.geometry().marginsAdded(ownerFrame);
    // The menu bar lies outside the client area.
    int client = owner.height();
    if (const auto* main = qobject_cast<const QMainWindow*>(&owner))
        if (const QWidget* menu = main->menuWidget(); menu && menu->isVisible()) client -= menu->height();
    // A window not yet shown has no frame to read: it will get the owner's.
    const QMargins frame = window.isVisible() ? FrameOf(window) : ownerFrame;
    // move() places the frame; resize() sizes what lies inside it.
    window.move(outer.left(), outer.top() + outer.height() - client);
    window.resize(outer.width() - frame.left() - frame.right(), client - frame.top() - frame.bottom());
}

void WindowPlacement::ShowInFront(QWidget& window, const QWidget& owner, bool& placed) {
    if (!placed) {
        placed = true;
        CoverClientArea(window, owner);
    }
    window.show();
    window.raise();
    window.activateWindow();
}
