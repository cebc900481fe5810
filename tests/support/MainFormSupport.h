#pragma once
// The main window as the window tests drive it: message boxes, modal
// dialogs, free space and the tick counter observed or given instead of
// real; options in a test's own folder; the event loop pumped by hand.
#include <QCoreApplication>
#include <QTest>

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TMainForm.h"
#include "decode/RowText.h"
#include "options/OptionData.h"
#include "tests/support/Poll.h"

namespace testsupport {

// The main window with its message boxes, modal dialogs, free space and
// tick counter observed or given instead of real.
class TestForm : public TMainForm {
public:
    explicit TestForm(const TMainFormSetup& setup = {}) : TMainForm(setup) {
        List().buildText = [this](const FrameRecord& record, std::string& text, const DisplayOptions& options,
                                  bool fcsGood) {
            if (failPaint) throw std::runtime_error("painting fails");
            painted.push_back(record.Index());
            RowText::BuildRowText(record, text, options, fcsGood);
        };
    }
    int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                       MessageBoxes::Buttons) override {
        boxes.push_back({text, caption, icon});
        FailShow();
        return MessageBoxes::kResultOk;
    }
    int ShowModalDialog(QDialog& dialog) override {
        dialogs.push_back(&dialog);
        FailShow();
        return realDialogs ? TMainForm::ShowModalDialog(dialog) : 0;
    }
    // Out of memory as a box or dialog comes up, failShows times.
    void FailShow() { if (failShows > 0 && failShows--) throw std::bad_alloc(); }
    int64_t FreeDiskSpace() const override { return freeSpace; }
    uint32_t TickCount() const override { return tick ? *tick : TMainForm::TickCount(); }
    void ShowDetailWindow(QWidget&, const DisplayOptions&, const FrameRecord& record) override {
        details.push_back(record.Index());
    }
    void customEvent(QEvent* event) override {
        systemFaults += event->type() == kSystemFault;
        TMainForm::customEvent(event);
    }

    struct Box { std::string text, caption; MessageBoxes::Icon icon; bool operator==(const Box&) const = default; };
    std::vector<Box> boxes;
    std::vector<QDialog*> dialogs;
    bool realDialogs = false;  // shown modally as well (answered by a DialogDriver)
    bool failPaint = false;
    int failShows = 0;  // boxes and modal dialogs still to fail
    int64_t freeSpace = 100'000'000'000;
    std::vector<int32_t> details;  // INDEX of every detail window asked for, none shown
    std::optional<uint32_t> tick;
    std::vector<int32_t> painted;  // INDEX of every cell text built
    int systemFaults = 0;          // notifications handled
};

// Options in a fresh folder, logs beside them; the timer is driven by hand.
inline TMainFormSetup FormSetup(const std::string& folder, int port, bool ring, bool log, bool voiceAuto = false) {
    OptionData options(folder + "velk.opt");
    MonitorOptions m = OptionData::DefaultMonitorOptions();
    m.portIndex = port;
    m.ringBuffer = ring;
    m.logFile = log;
    m.voiceAutomatic = voiceAuto;
    options.SetMonitorOptions(m);
    return {folder + "velk.opt", folder, false};
}

inline void Pump() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The step of a wait (Poll.h) in a window test: the event loop runs meanwhile.
inline void RunEvents() { QTest::qWait(kPollStepMs); }

}  // namespace testsupport
