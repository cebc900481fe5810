#pragma once
// Modal windows open centred on their owner.
class QWidget;

class WindowPlacement {
public:
    // left = owner left + owner width / 2 - width / 2; likewise for top.
    static void CentreOn(QWidget& window, const QWidget& owner);
};
