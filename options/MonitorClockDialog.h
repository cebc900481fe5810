#pragma once
// What the main window's timer needs of the monitor options dialog: while
// it is on screen with its device clock tab present, the timer shows the
// device clock in it and sends a clock setting the user asked for.
#include "store/TimeStamp.h"

class MonitorClockDialog {
public:
    virtual ~MonitorClockDialog() = default;
    virtual bool IsOnScreen() const = 0;
    virtual bool ClockTabPresent() const = 0;
    virtual void ShowDeviceClock(const TimeStamp& time) = 0;
    // A time the user asked to set, once.
    virtual bool TakeClockRequest(TimeStamp& time) = 0;
    // Closes the dialog as if cancelled (the device stopped answering).
    virtual void CloseAsCancelled() = 0;
    // The port tab "通信設定" and the device clock tab "RQ-730".
    virtual void ShowTabs(bool portTab, bool clockTab) = 0;
};
