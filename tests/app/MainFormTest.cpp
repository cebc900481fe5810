#include "app/TMainForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "options/MonitorClockDialog.h"
#include "app/TAboutBox.h"
#include "ui/TDrawGrid.h"
#include "app/TFloatMessageDlg.h"
#include "app/TLampPanel.h"
#include "app/TNoResourceDlg.h"
#include "base/Cp932.h"
#include "base/QtText.h"
#include "decode/RowText.h"
#include "device/ComThread.h"
#include "options/OptionData.h"
#include "sim/TrafficGenerator.h"
#include "store/TraceText.h"
#include "tests/e2e/VelksimProcess.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

#define J(utf8) QtText::FromCp932(VELK_SJIS(utf8))

// The main window with its message boxes, modal dialogs and free-space
// figure observed instead of shown.
class TestForm : public TMainForm {
public:
    struct Box {
        std::string text, caption;
        MessageIcon icon;
    };
    using TMainForm::TMainForm;

    int ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                       MessageButtons) override {
        boxes.push_back({text, caption, icon});
        return kResultOk;
    }
    int ShowModalDialog(QDialog& dialog) override {
        dialogs.push_back(&dialog);
        return 0;
    }
    int64_t FreeDiskSpace() const override { return freeSpace; }
    uint32_t TickCount() const override { return tick ? *tick : TMainForm::TickCount(); }
    void BuildCellText(FrameRecord& record, std::string& text, const DisplayOptions& options,
                       bool fcsGood) override {
        if (failPaint) throw std::runtime_error("painting fails");
        painted.push_back(record.Index());
        TMainForm::BuildCellText(record, text, options, fcsGood);
    }

    std::vector<Box> boxes;
    std::vector<QDialog*> dialogs;
    int64_t freeSpace = 100'000'000'000;
    bool failPaint = false;
    std::optional<uint32_t> tick;   // the tick counter, when a test drives it
    std::vector<int32_t> painted;   // INDEX of every cell text built
};

// Options in a fresh folder, logs beside them; the timer is driven by hand.
TMainFormSetup FormSetup(const std::string& folder, int port, bool ring, bool log, bool voiceAuto = false) {
    {
        OptionData options(folder + "velk.opt");
        MonitorOptions m = OptionData::DefaultMonitorOptions();
        m.portIndex = port;
        m.ringBuffer = ring;
        m.logFile = log;
        m.voiceAutomatic = voiceAuto;
        options.SetMonitorOptions(m);
    }
    TMainFormSetup s;
    s.optionFile = folder + "velk.opt";
    s.logFolder = folder;
    s.runTimer = false;
    return s;
}

void Pump() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

template <typename Pred>
bool WaitFor(Pred pred, int attempts = 500) {
    for (int i = 0; i < attempts; ++i) {
        if (pred()) return true;
        QTest::qWait(20);
    }
    return pred();
}

// A frame line as the device sends it: an RR of the given sequence number.
std::string FrameLine(int direction, int n, bool good = true) {
    std::vector<uint8_t> octets = WithFcs({0x02, 0x01, 0x01, static_cast<uint8_t>((n & 0x7F) << 1)}, good);
    char head[32];
    std::snprintf(head, sizeof head, "%cX[12:%02d:%02d.%03d]", direction ? 'R' : 'T', n / 60000 % 60,
                  n / 1000 % 60, n % 1000);
    std::string line = head;
    for (uint8_t o : octets) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", o);
        line += hex;
    }
    return line;
}

void Inject(TMainForm& form, int from, int count) {
    for (int n = from; n < from + count; ++n) form.Link()->Dispatch(FrameLine(n & 1, n));
}

std::string StatusLine(char direction, const std::vector<int>& busy, bool dChannel, bool lineNormal) {
    std::string channels(23, '0');
    for (int c : busy) channels[c - 1] = '1';
    return std::string("S") + direction + " " + channels + (dChannel ? "1" : "0") + " " +
           (lineNormal ? "1" : "0");
}

// Each action enabled or not as given; a failure names the action.
void ExpectEnabled(std::initializer_list<std::pair<const QAction*, bool>> actions) {
    for (const auto& [action, enabled] : actions)
        EXPECT_EQ(action->isEnabled(), enabled) << action->text().toStdString();
}

// A window on a COM port without any device, in a ports folder without any link.
struct Offline {
    TempFolder dir;
    TestForm form;
    explicit Offline(bool ring = true, bool log = false, bool voiceAuto = false)
        : form((VelksimProcess::PortsFolder(), FormSetup(dir.Slash(), 40, ring, log, voiceAuto))) {}
};

// A simulator on COM1 and a window connected to it by its first tick.
struct Live {
    VelksimProcess sim;
    TempFolder dir;
    std::string folder = dir.Slash();
    std::unique_ptr<TestForm> form;

    bool Start(const std::vector<std::string>& simArgs, bool ring, bool log, bool voiceAuto = false) {
        VelksimProcess::PortsFolder();
        if (!sim.Start(1, simArgs)) return false;
        form = std::make_unique<TestForm>(FormSetup(folder, 0, ring, log, voiceAuto));
        form->Timer1Timer();
        Pump();
        return form->CurrentUiState() == TMainForm::kConnected;
    }
    bool SimLogHas(const std::string& text) {
        return WaitFor([&] { return sim.Log().find(text) != std::string::npos; });
    }
};

}  // namespace

// ---- Start-up and states ----

TEST(MainForm, StartsWithoutADeviceInStateZeroWithoutAMessage) {
    Offline offline;
    TestForm& form = offline.form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Velkscope"));
    form.Timer1Timer();
    Pump();
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kNoDevice);
    EXPECT_TRUE(form.boxes.empty());
    EXPECT_TRUE(form.dialogs.empty());
    const auto& m = form.Menu();
    ExpectEnabled({{m.monitorStart, true}, {m.monitorStop, false}, {m.tbStart, true}, {m.tbStop, false},
                   {m.search->menuAction(), true}});
    EXPECT_EQ(form.StatusPanel(1)->text(), J("ﾘﾝｸﾞﾊﾞｯﾌｧ  音声ﾓﾆﾀｰ手動"));
    EXPECT_TRUE(form.StatusPanel(0)->text().isEmpty());
    // Starting now reports the silent device through the posted notification.
    form.StartMonitoring();
    Pump();
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].caption, VELK_SJIS("異常"));
    EXPECT_EQ(form.boxes[0].text.rfind(VELK_SJIS("通信異常です。"), 0), 0u);
    EXPECT_EQ(form.boxes[0].icon, TMainForm::kIconError);
    form.AboutMenuClick();
    EXPECT_EQ(form.AboutBox()->VersionText(), QStringLiteral("Version 1.03"));
    EXPECT_EQ(form.AboutBox()->IdentityText(), J("ﾌﾟﾛﾄｺﾙﾓﾆﾀは未接続状態です"));
}

TEST(MainForm, ShortcutsAndTheStatesTable) {
    Offline offline(false);
    TestForm& form = offline.form;
    const auto& m = form.Menu();
    EXPECT_EQ(m.gotoIndex->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(m.batchSearch->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_TRUE(m.toolBar->isChecked());
    EXPECT_EQ(form.StatusPanel(1)->text(), QString());  // filled by the first tick

    form.SetUiState(TMainForm::kMonitoring);
    ExpectEnabled({{m.search->menuAction(), false}, {m.view->menuAction(), false}, {m.open, false},
                   {m.save, false}, {m.optionReset, false}, {m.monitorOptions, false},
                   {m.monitorStop, true}, {m.tbStop, true}, {m.tbOpen, false}, {m.info, true}});

    form.ToggleLampPanel();
    EXPECT_TRUE(m.info->isChecked());
    form.SetUiState(TMainForm::kSystemFaulted);
    ExpectEnabled({{m.save, true}, {m.tbSave, true}, {m.open, false}, {m.monitor->menuAction(), false},
                   {m.help->menuAction(), false}});
    EXPECT_FALSE(m.info->isChecked());
    EXPECT_TRUE(form.LampPanel()->isHidden());
}

TEST(MainForm, ShowsModesAndShortensFileNames) {
    Offline offline(true, true, true);
    TestForm& form = offline.form;
    form.resize(640, 400);
    form.show();
    form.ShowModes();
    EXPECT_EQ(form.StatusPanel(1)->text(), J("ﾘﾝｸﾞﾊﾞｯﾌｧ  ﾛｸﾞ  音声ﾓﾆﾀｰ自動"));
    QFontMetrics fm(form.font());
    const QString path = QStringLiteral("/home/user/captures/2026/december/line7.vkt");
    EXPECT_EQ(TMainForm::ShortenPath(path, fm, 10000), path);
    const int w = fm.horizontalAdvance(QStringLiteral("/.../december/line7.vkt"));
    EXPECT_EQ(TMainForm::ShortenPath(path, fm, w), QStringLiteral("/.../december/line7.vkt"));
    form.ShowFileName(QStringLiteral("/a.vkt"), false);
    form.ShowFileName(QStringLiteral("/b.vkt"), true);
    EXPECT_EQ(form.StatusPanel(2)->text(), QStringLiteral("/a.vkt"));
}

TEST(MainForm, WindowStateIsRestoredWithTheToolbarHidden) {
    VelksimProcess::PortsFolder();
    TempFolder folder;
    TMainFormSetup setup = FormSetup(folder.Slash(), 40, true, false);
    {
        TestForm form(setup);
        form.show();
        form.Menu().toolBar->trigger();
        EXPECT_FALSE(form.ToolBar1()->isVisible());
        form.resize(700, 500);
        form.DrawGrid1()->SetColWidth(0, 200);
        form.DrawGrid1()->SetColWidth(1, 150);
        form.close();
    }
    TestForm again(setup);
    again.show();
    EXPECT_FALSE(again.Menu().toolBar->isChecked());
    EXPECT_FALSE(again.ToolBar1()->isVisible());
    EXPECT_EQ(again.width(), 700);
    EXPECT_EQ(again.height(), 500);
    EXPECT_EQ(again.DrawGrid1()->ColWidth(0), 200);
    EXPECT_EQ(again.DrawGrid1()->ColWidth(1), 150);
    // A first column wider than the list leaves 30 pixels for the second.
    again.DrawGrid1()->SetColWidth(0, 5000);
    again.DrawGrid1()->SetColWidth(1, 3);
    again.FitListColumns();
    EXPECT_EQ(again.DrawGrid1()->ColWidth(0), again.DrawGrid1()->viewport()->width() - 30);
    EXPECT_EQ(again.DrawGrid1()->ColWidth(1), 30);
}

// ---- Monitoring runs against the simulator ----

TEST(MainForm, ConnectsOnTheFirstTickAndRunsAMonitoringRun) {
    Live live;
    const uint64_t seed = 11;
    ASSERT_TRUE(live.Start({"--seed", std::to_string(seed), "--rate-fps", "100", "--quiet"}, true, false));
    TestForm& form = *live.form;
    EXPECT_TRUE(form.boxes.empty());
    // Shown with its lamps, so that glyphs, columns, colours and lamps are painted live.
    form.resize(900, 640);
    form.DrawGrid1()->SetColWidth(0, 420);
    form.DrawGrid1()->SetColWidth(1, 420);
    form.show();
    form.ToggleLampPanel();
    form.ShowFileName(QStringLiteral("/old.vkt"), false);
    form.StartMonitoring();
    Pump();
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kMonitoring);
    EXPECT_EQ(form.StatusPanel(0)->text(), J("Dchﾓﾆﾀｰ中"));
    EXPECT_TRUE(form.StatusPanel(2)->text().isEmpty());
    ASSERT_TRUE(WaitFor([&] {
        form.Timer1Timer();
        Pump();
        return form.Store().Count() >= 60;
    }));
    const char* png = std::getenv("VELK_MAIN_PNG");  // a picture of the window, for a look
    EXPECT_TRUE(form.grab().save(QString::fromLocal8Bit(png ? png : "/tmp/velkscope-main.png")));
    form.StopMonitoring();
    Pump();
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kConnected);
    EXPECT_TRUE(form.StatusPanel(0)->text().isEmpty());
    EXPECT_TRUE(form.boxes.empty());
    const size_t count = form.Store().Count();
    for (size_t i = 0; i < count; ++i) {
        const FrameRecord& r = form.Store().At(i);
        SimFrame expected = TrafficGenerator::FrameAt(seed, i);
        ASSERT_EQ(r.Index(), static_cast<int32_t>(i));
        ASSERT_EQ(r.Direction(), expected.direction) << i;
        ASSERT_EQ(r.Length(), expected.octets.size() + 2) << i;
        ASSERT_TRUE(std::equal(expected.octets.begin(), expected.octets.end(), r.Bytes() + 1)) << i;
    }
    form.SyncListRows();
    EXPECT_EQ(form.DrawGrid1()->RowCount(), static_cast<int>(count) + 1);
    // The device answers the version box.
    form.AboutMenuClick();
    EXPECT_TRUE(form.AboutBox()->IdentityText().startsWith(QStringLiteral("RQ-730")));
}

TEST(MainForm, StoreFullWithoutRingBufferStopsTheDevice) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1"}, false, false));
    TestForm& form = *live.form;
    form.StartMonitoring();
    ASSERT_EQ(form.CurrentUiState(), TMainForm::kMonitoring);
    ASSERT_TRUE(live.SimLogHas("monitoring started"));
    Inject(form, 0, 30010);
    form.Timer1Timer();
    EXPECT_EQ(form.Store().Count(), FrameStore::kCapacity);
    EXPECT_EQ(form.Store().NextIndex(), FrameStore::kCapacity);  // no 30001st taken
    EXPECT_FALSE(form.Menu().monitorStop->isEnabled());
    form.Timer1Timer();  // the next tick takes nothing more
    EXPECT_EQ(form.Store().NextIndex(), FrameStore::kCapacity);
    Pump();
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].text, VELK_SJIS("記憶できる件数を超えました。"));
    EXPECT_EQ(form.boxes[0].caption, VELK_SJIS("バッファフル"));
    EXPECT_EQ(form.boxes[0].icon, TMainForm::kIconWarning);
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kConnected);
    EXPECT_TRUE(form.StatusPanel(0)->text().isEmpty());
    EXPECT_TRUE(live.SimLogHas("monitoring stopped: stop command"));
}

TEST(MainForm, RingBufferKeepsTheNewest30000AndTheRowCount) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, false));
    TestForm& form = *live.form;
    form.StartMonitoring();
    ASSERT_EQ(form.CurrentUiState(), TMainForm::kMonitoring);
    Inject(form, 0, 30500);
    QTest::qWait(300);  // past the refresh interval
    form.Timer1Timer();
    Inject(form, 30500, 700);
    QTest::qWait(300);
    form.Timer1Timer();
    EXPECT_EQ(form.Store().Count(), FrameStore::kCapacity);
    EXPECT_GE(form.Store().NextIndex(), 31200u);
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 30001);
    EXPECT_EQ(form.DrawGrid1()->Heights().Size(), FrameStore::kCapacity);
    EXPECT_EQ(form.Store().At(0).Index(), static_cast<int32_t>(form.Store().NextIndex() - 30000));
    EXPECT_TRUE(form.boxes.empty());
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kMonitoring);
}

TEST(MainForm, LogFilesHoldEveryFrameOnceInIndexOrder) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, true));
    TestForm& form = *live.form;
    std::time_t clock = 1780000000;
    form.Store().Logs().SetClock([&] { return clock++; });
    std::string taken[3];
    form.onFrameTaken = [&](const FrameRecord& r) {
        TraceText::AppendRecordText(taken[static_cast<size_t>(r.Index()) / 30000], r);
    };
    form.StartMonitoring();
    ASSERT_EQ(form.CurrentUiState(), TMainForm::kMonitoring);
    for (int n = 0; n < 65000; n += 900) {
        Inject(form, n, std::min(900, 65000 - n));
        form.Timer1Timer();
    }
    while (form.Store().NextIndex() < 65000) form.Timer1Timer();
    form.StopMonitoring();
    EXPECT_FALSE(form.FloatMessage()->isVisible());
    EXPECT_TRUE(form.Store().IsLogging());
    const uint32_t total = form.Store().NextIndex();
    EXPECT_EQ(form.Store().LoggedIndex(), total);
    auto names = LogFiles(live.folder);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(ReadFile(live.folder + names[0]), taken[0]);
    EXPECT_EQ(ReadFile(live.folder + names[1]), "INDEX=030000\r\n" + taken[1]);
    EXPECT_EQ(ReadFile(live.folder + names[2]), "INDEX=060000\r\n" + taken[2]);
}

TEST(MainForm, ThinningFollowsTheRefreshGapsAndEndsWithTheTraffic) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, false));
    TestForm& form = *live.form;
    form.resize(640, 2000);
    form.show();
    uint32_t now = 0xFFFFFF00u;  // the counter wraps during the test
    form.tick = now;
    form.StartMonitoring();
    form.Timer1Timer();
    int next = 0;
    // Frames keep coming; each refresh gap sets the factor.
    const struct {
        uint32_t gap;
        int factor;
    } steps[] = {{260, 0}, {499, 0}, {500, 2}, {749, 2}, {750, 4}, {999, 4}, {1000, 8}, {300, 0}};
    for (const auto& step : steps) {
        Inject(form, next, 5);
        next += 5;
        form.tick = now += step.gap;
        form.Timer1Timer();
        EXPECT_EQ(form.ThinningFactor(), step.factor) << "gap " << step.gap;
    }
    // Under factor 4 only every fourth row (row = position + 1) is painted.
    Inject(form, next, 40);
    next += 40;
    form.tick = now += 800;
    form.Timer1Timer();
    ASSERT_EQ(form.ThinningFactor(), 4);
    form.painted.clear();
    form.DrawGrid1()->grab();
    ASSERT_FALSE(form.painted.empty());
    for (int32_t index : form.painted) {
        size_t row = 0;
        while (row < form.Store().Count() && form.Store().At(row).Index() != index) ++row;
        EXPECT_EQ((row + 1) % 4, 0u) << "INDEX " << index;
    }
    // No new frames: the next tick drops the factor at once, without a 250 ms gap.
    while (form.Link()->PopFrame(*std::make_unique<FrameRecord>())) {
    }
    form.tick = now += 100;
    form.Timer1Timer();
    EXPECT_EQ(form.ThinningFactor(), 0);
    // Raised again, then monitoring ends: back to 0.
    Inject(form, next, 5);
    form.tick = now += 1200;
    form.Timer1Timer();
    ASSERT_EQ(form.ThinningFactor(), 8);
    form.StopMonitoring();
    form.tick = now += 100;
    form.Timer1Timer();
    EXPECT_EQ(form.ThinningFactor(), 0);
}

TEST(MainForm, DiskWatchAndTheSlowLogMessages) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, true));
    TestForm& form = *live.form;
    TFloatMessageDlg& floating = *form.FloatMessage();

    // Below 15,000,000 bytes: logging stops with its message, once.
    form.freeSpace = 14'999'999;
    form.StartMonitoring();
    Inject(form, 0, 10);
    form.Timer1Timer();
    EXPECT_FALSE(form.Store().IsLogging());
    EXPECT_TRUE(floating.isVisible());
    EXPECT_EQ(floating.Text(), J("ディスクの空きスペースが足りないので、ログファイルの収集を強制中断しました。"));
    // Written before the check (the simulator's own frame may come in too).
    EXPECT_GE(form.Store().NextIndex(), 10u);
    EXPECT_EQ(form.Store().LoggedIndex(), form.Store().NextIndex());
    floating.hide();
    form.Timer1Timer();
    EXPECT_FALSE(floating.isVisible());
    form.StopMonitoring();
    form.Timer1Timer();

    // Between the two limits: a warning that returns after it is closed.
    form.freeSpace = 15'000'000;
    form.StartMonitoring();
    EXPECT_TRUE(form.Store().IsLogging());
    form.Timer1Timer();
    EXPECT_TRUE(floating.isVisible());
    EXPECT_TRUE(floating.Text().startsWith(J("ディスクの空きスペースが足りません。")));
    EXPECT_TRUE(form.Store().IsLogging());
    floating.hide();
    form.Timer1Timer();
    EXPECT_TRUE(floating.isVisible());
    form.StopMonitoring();
    form.Timer1Timer();
    EXPECT_FALSE(floating.isVisible());  // closed when monitoring ends

    // 1500 frames in one tick: the take stops at the 1000th unlogged one.
    form.freeSpace = 20'000'000;
    form.StartMonitoring();
    const uint32_t before = form.Store().NextIndex();
    Inject(form, 0, 1500);
    form.Timer1Timer();
    EXPECT_LE(form.Store().NextIndex() - before, 1000u);
    EXPECT_FALSE(form.Store().IsLogging());
    EXPECT_TRUE(floating.Text().startsWith(J("LOGファイルの作成が間に合わないので、")));
    EXPECT_EQ(form.Store().LoggedIndex(), form.Store().NextIndex());
    form.Timer1Timer();
    EXPECT_GE(form.Store().NextIndex(), 1500u);  // the rest on the next tick
    form.StopMonitoring();
    EXPECT_TRUE(form.boxes.empty());
}

TEST(MainForm, LoggingWithoutRingBufferWritesNothingAndNeverWarns) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, false, true));
    TestForm& form = *live.form;
    form.freeSpace = 1;
    form.StartMonitoring();
    Inject(form, 0, 1500);
    form.Timer1Timer();
    EXPECT_GE(form.Store().NextIndex(), 1500u);
    EXPECT_FALSE(form.FloatMessage()->isVisible());
    EXPECT_TRUE(LogFiles(live.folder).empty());
}

// ---- Lamps and the voice monitor ----

TEST(MainForm, LampsShowChannelsDChannelAndLineFaults) {
    Offline offline;
    TestForm& form = offline.form;
    form.Timer1Timer();
    // Manual clicks without a device show nothing selected.
    form.VoiceLampClicked(4, 0);
    EXPECT_EQ(form.SelectedVoiceLamp(0), -1);
    const DisplayOptions d = OptionData::DefaultDisplayOptions();
    form.ToggleLampPanel();
    EXPECT_TRUE(form.Menu().info->isChecked());
    EXPECT_FALSE(form.LampPanel()->isHidden());
    form.Link()->Dispatch(StatusLine('T', {1, 23}, true, true));
    form.Link()->Dispatch(StatusLine('R', {2}, true, false));
    form.Timer1Timer();
    TLampPanel& lamps = *form.LampPanel();
    EXPECT_EQ(lamps.BLamp(0, 0), d.lampActiveColour);
    EXPECT_EQ(lamps.BLamp(0, 1), d.lampInactiveColour);
    EXPECT_EQ(lamps.BLamp(0, 22), d.lampActiveColour);
    EXPECT_EQ(lamps.DLamp(0), d.lampActiveColour);
    for (int j = 0; j < 23; ++j) EXPECT_EQ(lamps.BLamp(1, j), d.lampFaultColour);
    EXPECT_EQ(lamps.DLamp(1), d.lampActiveColour);  // the D flag shows through a line fault
    // No status at all while idle: the mark goes and the fault is reported.
    form.Timer1Timer();
    Pump();
    EXPECT_FALSE(form.Menu().info->isChecked());
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].caption, VELK_SJIS("異常"));
    EXPECT_TRUE(form.LampPanel()->isHidden());
}

TEST(MainForm, AutomaticVoiceMonitorFollowsChannelThreeThenSevenThenRelease) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, false, true));
    TestForm& form = *live.form;
    const DisplayOptions d = OptionData::DefaultDisplayOptions();
    TLampPanel& lamps = *form.LampPanel();
    auto status = [](std::vector<int> tx) {
        BChannelStatus s;
        for (auto& dir : s.direction) dir.lineNormal = true;
        for (int c : tx) s.direction[0].bChannel[c - 1] = true;
        return s;
    };
    form.RepaintLamps(status({3}));
    form.Timer1Timer();
    EXPECT_EQ(form.SelectedVoiceLamp(0), 2);
    ASSERT_TRUE(live.SimLogHas("RX 00, TX 03"));
    form.RepaintLamps(status({3, 7}));
    form.Timer1Timer();
    EXPECT_EQ(form.SelectedVoiceLamp(0), 6);
    EXPECT_EQ(lamps.VoiceLamp(0, 2), d.lampInactiveColour);
    ASSERT_TRUE(live.SimLogHas("RX 00, TX 07"));
    form.RepaintLamps(status({3}));
    form.Timer1Timer();
    EXPECT_EQ(form.SelectedVoiceLamp(0), 2);
    form.RepaintLamps(status({}));
    form.Timer1Timer();
    EXPECT_EQ(form.SelectedVoiceLamp(0), -1);
    EXPECT_EQ(form.SelectedVoiceLamp(1), -1);
    // The last selection carries 0 for TX.
    EXPECT_TRUE(live.SimLogHas("RX 00, TX 00"));
    // Clicks do nothing in automatic mode.
    form.VoiceLampClicked(4, 0);
    EXPECT_EQ(form.SelectedVoiceLamp(0), -1);
}

TEST(MainForm, ManualVoiceLampClicksMoveAndClearTheSelection) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1", "--count", "1"}, true, false, false));
    TestForm& form = *live.form;
    form.ToggleLampPanel();
    EXPECT_TRUE(form.LampPanel()->VoiceClickable());
    form.VoiceLampClicked(4, 0);
    EXPECT_EQ(form.SelectedVoiceLamp(0), 4);
    form.VoiceLampClicked(10, 1);
    EXPECT_TRUE(live.SimLogHas("RX 11, TX 05"));
    form.VoiceLampClicked(8, 0);
    EXPECT_EQ(form.SelectedVoiceLamp(0), 8);
    EXPECT_TRUE(live.SimLogHas("RX 11, TX 09"));
    form.VoiceLampClicked(8, 0);
    EXPECT_EQ(form.SelectedVoiceLamp(0), -1);
    EXPECT_EQ(form.SelectedVoiceLamp(1), 10);
    EXPECT_TRUE(live.SimLogHas("RX 11, TX 00"));
    // A click on the panel itself reaches the same handler.
    const QPoint centre = TLampPanel::VoiceLampRect(1, 0).center();
    QTest::mouseClick(form.LampPanel(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(form.SelectedVoiceLamp(1), 0);
    // Hiding the panel switches the voice monitor off.
    form.ToggleLampPanel();
    EXPECT_TRUE(live.SimLogHas("\"M 00,00\""));
}

// ---- The frame list ----

TEST(MainForm, FrameListRowsColumnsColoursAndTheDetailCommand) {
    Offline offline;
    TestForm& form = offline.form;
    form.resize(640, 400);
    form.show();
    form.Timer1Timer();
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 2);  // header and one empty row
    // INDEX, line break, data split 8.
    form.Options().SetDisplayOptions(Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8));
    form.DisplayOptionsChanged();

    FrameRecord bad = Frame({0x02, 0x01, 0x03, 0x08, 0x01, 0x01, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA2,
                             0x18, 0x03, 0xA9, 0x83, 0x81, 0x70}, FrameRecord::kTx, false);
    ASSERT_EQ(bad.Length(), 22u);
    form.Store().Add(bad, true);
    FrameRecord good = Frame({0x02, 0x01, 0x01, 0x02}, FrameRecord::kRx);
    form.Store().Add(good, true);
    form.SyncListRows();
    TDrawGrid& grid = *form.DrawGrid1();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Heights().Lines(0), 4);  // INDEX, then 8, 8 and 6 bytes
    EXPECT_EQ(grid.Heights().Lines(1), 2);

    grid.SetRow(1);
    QImage image = grid.viewport()->grab().toImage();
    int redLeft = 0, redRight = 0, blueRight = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y);
            const bool red = qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
            const bool blue = qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60;
            if (red) (x < grid.ColWidth(0) ? redLeft : redRight)++;
            if (blue && x > grid.ColWidth(0)) blueRight++;
        }
    EXPECT_GT(redLeft, 0);   // the bad TX record, in the error colour even when selected
    EXPECT_EQ(redRight, 0);  // nothing of it in the RX column
    EXPECT_GT(blueRight, 0);  // the good RX record's first line

    // The detail command refuses the bad frame and opens the good one.
    size_t opened = 99;
    form.onOpenDetail = [&](size_t position) { opened = position; };
    form.DetailMenuClick();
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].text, VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"));
    EXPECT_EQ(form.boxes[0].caption, VELK_SJIS("誤操作"));
    EXPECT_EQ(opened, 99u);
    grid.SetRow(2);
    form.DetailMenuClick();
    EXPECT_EQ(opened, 1u);
}

TEST(MainForm, APaintingFailureShowsTheSystemFaultDialogOnce) {
    Offline offline;
    TestForm& form = offline.form;
    form.show();
    form.Timer1Timer();
    FrameRecord r = FromHex("7E 02 01 01 02 00 00 7E", FrameRecord::kTx, 0);
    form.Store().Add(r, true);
    form.failPaint = true;
    form.DrawGrid1()->viewport()->grab();
    EXPECT_FALSE(form.DrawingEnabled());
    form.PostNotification(TMainForm::kSystemFault);
    Pump();
    ASSERT_EQ(form.dialogs.size(), 1u);
    EXPECT_EQ(form.dialogs[0], form.NoResourceDlg());
    EXPECT_EQ(form.CurrentUiState(), TMainForm::kSystemFaulted);
    EXPECT_EQ(form.Link(), nullptr);
    EXPECT_FALSE(form.Timer1().isActive());
    EXPECT_TRUE(form.Menu().save->isEnabled());
    EXPECT_FALSE(form.Menu().monitorStart->isEnabled());
    form.Timer1Timer();  // a stray tick does nothing without the link
    Pump();
    EXPECT_EQ(form.dialogs.size(), 1u);
}

namespace {

// What the monitor options dialog will offer the timer.
struct FakeClockDialog : MonitorClockDialog {
    bool onScreen = true;
    bool portTab = false, clockTab = false;
    int shown = 0;
    bool request = false;
    TimeStamp wanted;
    bool IsOnScreen() const override { return onScreen; }
    bool ClockTabPresent() const override { return clockTab; }
    void ShowDeviceClock(const TimeStamp&) override { ++shown; }
    bool TakeClockRequest(TimeStamp& time) override {
        if (!request) return false;
        request = false;
        time = wanted;
        return true;
    }
    void CloseAsCancelled() override { onScreen = false; }
    void ShowTabs(bool port, bool clock) override {
        portTab = port;
        clockTab = clock;
    }
};

}  // namespace

TEST(MainForm, DeviceClockWhileTheMonitorOptionsDialogIsUp) {
    Live live;
    ASSERT_TRUE(live.Start({"--rate-fps", "1"}, true, false));
    TestForm& form = *live.form;
    FakeClockDialog dialog;
    form.SetMonitorClockDialog(&dialog);
    form.SetUiState(TMainForm::kNoDevice);
    EXPECT_TRUE(dialog.portTab);
    EXPECT_FALSE(dialog.clockTab);
    form.Timer1Timer();  // no clock tab: no clock asked
    EXPECT_EQ(dialog.shown, 0);
    form.SetUiState(TMainForm::kConnected);
    EXPECT_FALSE(dialog.portTab);
    EXPECT_TRUE(dialog.clockTab);
    dialog.request = true;
    dialog.wanted.Set(12, 4, 5, 0);
    form.Timer1Timer();
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_TRUE(live.SimLogHas("clock set to 12:04:05.000"));
    // A device that no longer answers: the dialog closes and the fault is reported.
    live.sim.Stop();
    form.Timer1Timer();
    EXPECT_FALSE(dialog.onScreen);
    Pump();
    ASSERT_FALSE(form.boxes.empty());
    EXPECT_EQ(form.boxes.back().caption, VELK_SJIS("異常"));
    EXPECT_EQ(form.boxes.back().text.rfind(VELK_SJIS("通信異常です。"), 0), 0u);
    form.SetUiState(TMainForm::kSystemFaulted);
    EXPECT_FALSE(dialog.portTab);
    EXPECT_FALSE(dialog.clockTab);
    form.SetMonitorClockDialog(nullptr);
}
