#pragma once
// SIGTERM, SIGINT and SIGHUP (a session ending, a kill, Ctrl+C in the
// terminal) close the main window as its close box does, so the device is
// told to stop and velk.opt is written instead of lost.
#include <QObject>

class QSocketNotifier;
class QWidget;

class TerminationWatch : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatch(QWidget& window);
    ~TerminationWatch() override;

private:
    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
};
