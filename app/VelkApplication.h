#pragma once
// The application object: every event handler runs inside its notify, so
// an exception that escapes a handler (out of memory while painting, a
// menu command, a notification) ends here instead of ending the program.
// Before the main window is up it is a start-up failure: a message box,
// then the program ends with a non-zero status. Afterwards it becomes the
// main window's system-fault notification.
#include <QApplication>
#include <QPointer>

#include <string>

class VelkApplication : public QApplication {
    Q_OBJECT
public:
    static constexpr int kStartupFailureStatus = 2;

    VelkApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The window that takes the system-fault notification from now on.
    void SetMainWindow(QWidget* window);
    // Registers window when the running application is a VelkApplication.
    static void MainWindowUp(QWidget* window);

    // Shows the start-up failure box for `what` (CP932) once and returns the
    // exit status; the event loop, if it runs, ends with it.
    int StartupFailed(const std::string& what);
    bool HasFailed() const { return failed_; }

    // What an exception says about itself (CP932).
    static std::string Describe(std::exception_ptr error);

private:
    void Report(std::exception_ptr error);

    QPointer<QWidget> mainWindow_;
    bool failed_ = false;
};
