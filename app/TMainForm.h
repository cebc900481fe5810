#pragma once
#include <QMainWindow>

// The main window. It grows its menus, frame list and lamps as the
// subsystems behind them arrive.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};
