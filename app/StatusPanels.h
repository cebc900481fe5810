#pragma once
// The main window's status bar: panel 0 says whether a run takes frames,
// panel 1 shows the buffer, log and voice-monitor modes, panel 2 the file
// name, shortened from the left to fit.
#include <QString>

#include "options/MonitorOptions.h"

class QFontMetrics;
class QLabel;
class QStatusBar;

class StatusPanels {
public:
    explicit StatusPanels(QStatusBar& bar);

    void ShowMonitoring(bool on);
    // Panel 0 while an unattended start waits for the device.
    void ShowWaitingForDevice();
    void ShowModes(const MonitorOptions& monitor);
    // With onlyIfEmpty, only into an empty panel.
    void ShowFileName(const QString& path, bool onlyIfEmpty);
    // The whole path panel 2 shows.
    const QString& FileName() const { return fileName_; }
    // Leading folders of path replaced by "..." until it fits width.
    static QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

    QLabel* Panel(int index) { return panels_[index]; }

private:
    QStatusBar& bar_;
    QLabel* panels_[3] = {};
    QString fileName_;
};
