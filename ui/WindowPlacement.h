#pragma once
// Where windows open relative to their owner.
class QWidget;

class WindowPlacement {
public:
    // Modal windows open centred on their owner:
    // left = owner left + owner width / 2 - width / 2; likewise for top.
    static void CentreOn(QWidget& window, const QWidget& owner);
    // The window's frame over the owner's area inside its frame.
    static void CoverClientArea(QWidget& window, const QWidget& owner);
};
