#pragma once
// Where windows open relative to their owner.
class QWidget;

class WindowPlacement {
public:
    // Modal windows open centred on their owner:
    // left = owner left + owner width / 2 - width / 2; likewise for top.
    static void CentreOn(QWidget& window, const QWidget& owner);
    // The window's frame over the owner's client area (below its title bar
    // and menu bar): left and width the owner's frame's, top the owner's
    // frame top + frame height - client height, height the client height.
    static void CoverClientArea(QWidget& window, const QWidget& owner);
    // A modeless window shown in front of the others, over the owner's
    // client area the first time (placed then set), where the user left it
    // afterwards.
    static void ShowInFront(QWidget& window, const QWidget& owner, bool& placed);
};
