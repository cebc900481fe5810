#include "app/TMainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <new>

#include <gtest/gtest.h>

#include "app/TAboutBox.h"
#include "app/TFloatMessageDlg.h"
#include "app/TLampPanel.h"
#include "app/TNoResourceDlg.h"
#include "ui/QtText.h"
#include "decode/RowText.h"
#include "device/ComThread.h"
#include "files/TraceFile.h"
#include "options/OptionCommands.h"
#include "options/TMonOptionDlg.h"
#include "search/TSearchDlg.h"
#include "sim/FrameText.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/SentFrames.h"
#include "ui/TDrawGrid.h"

using namespace testsupport;
using Box = TestForm::Box;

namespace {

#define J(utf8) VELK_UI_TEXT(utf8)

// Frame lines as the device sends them: RRs numbered from `from`.
void Inject(TMainForm& form, int from, int count) {
    for (int n = from; n < from + count; ++n) {
        TimeStamp time;
        time.Set(12, n / 60000 % 60, n / 1000 % 60, n % 1000);
        std::string line;
        FrameText::AppendLine(line, n & 1, time, WithFcs({0x02, 0x01, 0x01, static_cast<uint8_t>((n & 0x7F) << 1)}));
        line.pop_back();  // the CR
        form.Link()->Dispatch(line);
    }
}

// A window on a COM port without any device, in a ports folder without any link.
class MainForm : public ::testing::Test {
protected:
    TempFolder dir;
    TestForm form{(FormSetup(dir.Slash(), 40, true, false))};
};

// A simulator on COM1 and a window connected to it by its first tick.
class MainFormLive : public ::testing::Test {
protected:
    bool Start(const std::vector<std::string>& simArgs, bool ring, bool log, bool voiceAuto = false) {
        if (!sim.Start(1, simArgs)) return false;
        form = std::make_unique<TestForm>(FormSetup(folder, 0, ring, log, voiceAuto));
        form->Timer1Timer();
        Pump();
        return form->CurrentUiState() == UiStates::kConnected;
    }
    // Waits until the simulator's log holds text `times` times.
    bool SimLogHas(const std::string& text, size_t times = 1) {
        return WaitUntil([&] {
            const std::string log = sim.Log();
            size_t n = 0;
            for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
            return n >= times;
        }, kPollBoundMs, RunEvents);
    }

    VelksimProcess sim;
    TempFolder dir;
    std::string folder = dir.Slash();
    std::unique_ptr<TestForm> form;
};

}  // namespace

// ---- Start-up, states and the status bar ----

TEST_F(MainForm, StartsWithoutADeviceInStateZeroWithoutAMessage) {
    form.show();
    form.Timer1Timer();
    Pump();
    EXPECT_EQ(std::tuple(form.CurrentUiState(), form.boxes.size(), form.dialogs.size()), std::tuple(UiStates::kNoDevice, 0u, 0u));
    EXPECT_EQ(form.StatusPanel(1)->text(), J("ﾘﾝｸﾞﾊﾞｯﾌｧ  音声ﾓﾆﾀｰ手動"));
    MonitorOptions monitor;
    form.Options().GetMonitorOptions(monitor);
    EXPECT_EQ(monitor.portIndex, 40);  // the port that did not open stays chosen
    // A load that overfilled the store says so; no run, so no state to change.
    form.PostNotification(DialogHost::kBufferFull);
    Pump();
    EXPECT_EQ(form.CurrentUiState(), UiStates::kNoDevice);
    // Starting now reports the silent device through the posted notification.
    form.StartMonitoring();
    Pump();
    ASSERT_EQ(form.boxes.size(), 2u);
    EXPECT_EQ(form.boxes[0].caption, VELK_SJIS("バッファフル"));
    EXPECT_EQ(form.boxes[1].text.rfind(VELK_SJIS("通信異常です。"), 0), 0u);
    EXPECT_EQ(std::tuple(form.boxes[1].caption, form.boxes[1].icon), std::tuple(VELK_SJIS("異常"), MessageBoxes::kIconError));
    // Status panel 2: leading folders shortened; a name only into an empty panel.
    const QFontMetrics fm(form.font());
    EXPECT_EQ(StatusPanels::ShortenPath("/home/user/2026/dec/line7.vkt", fm, fm.horizontalAdvance("/.../dec/line7.vkt")),
              "/.../dec/line7.vkt");
    form.List().ShowFileName(QStringLiteral("/a.vkt"), false);
    form.List().ShowFileName(QStringLiteral("/b.vkt"), true);
    EXPECT_EQ(form.StatusPanel(2)->text(), QStringLiteral("/a.vkt"));
}

TEST(MainFormState, WindowStateIsRestoredWithTheToolbarHidden) {
    TempFolder folder;
    const TMainFormSetup setup = FormSetup(folder.Slash(), 40, true, false);
    {
        TestForm form(setup);
        form.show();
        form.Menu().toolBar->trigger();  // hidden, as the window shows again below
        form.resize(700, 500);
        form.DrawGrid1()->SetColWidth(0, 200);
        form.DrawGrid1()->SetColWidth(1, 150);
        form.close();
    }
    TestForm again(setup);
    again.show();
    EXPECT_EQ(std::tuple(again.Menu().toolBar->isChecked(), again.ToolBar1()->isVisible()), std::tuple(false, false));
    EXPECT_EQ(std::tuple(again.size(), again.DrawGrid1()->ColWidth(0), again.DrawGrid1()->ColWidth(1)),
              std::tuple(QSize(700, 500), 200, 150));
}

// ---- Monitoring runs against the simulator ----

// What the run logs: AVanishedDeviceEndsTheRunKeepingEveryFrameUntilItIsBack.
TEST_F(MainFormLive, ConnectsOnTheFirstTickAndRunsAMonitoringRunWatchingTheDisk) {
    ASSERT_TRUE(Start({"--rate-fps", "100", "--quiet"}, true, true));
    // Shown with its lamps, so that glyphs, columns, colours and lamps are painted live.
    form->resize(900, 640);
    for (int column : {0, 1}) form->DrawGrid1()->SetColWidth(column, 420);
    form->show();
    form->ToggleLampPanel();
    form->StartMonitoring();
    ASSERT_TRUE(WaitUntil([&] { return form->Store().Count() >= 60; }, kPollBoundMs, [&] {
        form->Timer1Timer();
        RunEvents();
    }));
    // A picture of the window; VELK_MAIN_PNG names a file to keep it in.
    const char* png = std::getenv("VELK_MAIN_PNG");
    EXPECT_TRUE(form->grab().save(QString::fromLocal8Bit(png ? png : folder + "main.png")));
    form->freeSpace = 16'000'000;
    form->Timer1Timer();
    EXPECT_TRUE(form->FloatMessage()->Text().startsWith(J("ディスクの空きスペースが足りません。")));
    EXPECT_TRUE(form->FloatMessage()->isVisible());
    form->StopMonitoring();
    form->Timer1Timer();
    EXPECT_EQ(std::tuple(form->FloatMessage()->isVisible(), form->CurrentUiState(), form->boxes.size()),
              std::tuple(false, UiStates::kConnected, 0u));
    form->AboutMenuClick();
    EXPECT_TRUE(form->AboutBox()->IdentityText().startsWith(QStringLiteral("RQ-730")));
}

// An unattended start at boot, the adapter not yet there: its COM link leads nowhere.
TEST_F(MainFormLive, AnUnattendedStartWaitsQuietlyForADeviceThatAppearsLate) {
    TestPorts::Link(1, folder + "usb-adapter-not-ready");
    form = std::make_unique<TestForm>(FormSetup(folder, 0, true, false));
    form->StartWhenConnected();
    for (int tick = 0; tick < 50; ++tick) form->Timer1Timer();  // five seconds of ticks
    Pump();
    const auto shown = [&] { return std::tuple(form->CurrentUiState(), form->boxes.size(), form->StatusPanel(0)->text()); };
    EXPECT_EQ(shown(), std::tuple(UiStates::kNoDevice, 0u, J("接続待ち")));
    ASSERT_TRUE(sim.Start(1, {"--rate-fps", "100", "--quiet"}));
    ASSERT_TRUE(WaitUntil([&] { return form->Store().Count() > 0; }, kPollBoundMs, [&] { form->Timer1Timer(), RunEvents(); }));
    EXPECT_EQ(shown(), std::tuple(UiStates::kMonitoring, 0u, J("Dchﾓﾆﾀｰ中")));
}

// The device goes away mid-run (velksim hangs up once its 150 frames are
// read): the communication-fault box, every frame kept and logged; back on
// its port, it is found again when the port is chosen anew, and runs.
TEST_F(MainFormLive, AVanishedDeviceEndsTheRunKeepingEveryFrameUntilItIsBack) {
    ASSERT_TRUE(Start({"--seed", "3", "--rate-fps", "300", "--vanish-after", "150"}, true, true));
    form->StartMonitoring();
    const auto tick = [&] { form->Timer1Timer(); RunEvents(); };
    ASSERT_TRUE(WaitUntil([&] { return form->CurrentUiState() == UiStates::kNoDevice; }, kPollBoundMs, tick));
    ASSERT_EQ(form->boxes.size(), 1u);
    EXPECT_EQ(form->boxes[0].text.rfind(VELK_SJIS("通信異常です。"), 0), 0u);
    EXPECT_EQ(std::tuple(form->dialogs.size(), form->StatusPanel(0)->text(), form->Menu().save->isEnabled()),
              std::tuple(0u, QString(), true));  // no system-fault dialog
    FrameStore logged;
    const std::string log = ReadFile(folder + LogFiles(folder).at(0));
    ASSERT_EQ(TraceFile::LoadText(logged, log, std::atomic<bool>{}), TraceFile::kLoaded);
    for (const FrameStore* store : {&form->Store(), &logged}) {
        EXPECT_EQ(store->Count(), 150u);
        EXPECT_EQ(SentFramesDiffer(*store, 3, false), "");
    }
    EXPECT_EQ(sim.Stop(), 0);
    ASSERT_TRUE(sim.Start(1, {"--rate-fps", "100"}));
    form->MonitorOptionsChanged();
    EXPECT_EQ(form->CurrentUiState(), UiStates::kConnected);
    form->StartMonitoring();
    EXPECT_TRUE(WaitUntil([&] { return form->Store().Count() > 0; }, kPollBoundMs, tick));
    EXPECT_EQ(std::tuple(form->CurrentUiState(), form->boxes.size()), std::tuple(UiStates::kMonitoring, 1u));
}

TEST_F(MainFormLive, StoreFullWithoutRingBufferStopsTheDevice) {
    ASSERT_TRUE(Start({"--rate-fps", "1"}, false, false));
    form->StartMonitoring();
    ASSERT_TRUE(SimLogHas("monitoring started"));
    Inject(*form, 0, 30010);
    form->Timer1Timer();
    EXPECT_FALSE(form->Menu().monitorStop->isEnabled());
    form->StopMonitoring();  // refused: the stop is on its way
    Pump();
    const Box full{VELK_SJIS("記憶できる件数を超えました。"), VELK_SJIS("バッファフル"), MessageBoxes::kIconWarning};
    EXPECT_EQ(form->boxes, std::vector{full});
    EXPECT_EQ(form->CurrentUiState(), UiStates::kConnected);
    EXPECT_TRUE(SimLogHas("monitoring stopped: stop command"));
}

TEST_F(MainForm, UnderThinningOnlyEveryFourthRowIsPainted) {
    form.resize(640, 2000);
    form.show();
    form.tick = 1000;
    form.Timer1Timer();
    form.SetUiState(UiStates::kMonitoring);
    Inject(form, 0, 40);
    form.tick = 1800;
    form.Timer1Timer();
    ASSERT_EQ(form.ThinningFactor(), 4);
    form.painted.clear();
    form.DrawGrid1()->grab();
    ASSERT_FALSE(form.painted.empty());
    for (int32_t index : form.painted) EXPECT_EQ((index + 1) % 4, 0) << "INDEX " << index;
}

// ---- Lamps and the voice monitor ----

TEST_F(MainForm, LampsShowTheDevicesStatusLines) {
    form.Timer1Timer();
    form.ToggleLampPanel();
    EXPECT_FALSE(form.LampPanel()->isHidden());
    form.Link()->Dispatch("ST 10000000000000000000001" "1 1");
    form.Link()->Dispatch("SR 01000000000000000000000" "1 0");
    form.Timer1Timer();
    // The tick brings the status to the lamps (their rules: ChannelLamps).
    EXPECT_EQ(form.Lamps().BLamp(0, 22), ChannelLamps::kActive);
    // No status at all while idle: the fault is reported, the panel goes.
    form.Timer1Timer();
    Pump();
    EXPECT_EQ(std::tuple(form.boxes.size(), form.LampPanel()->isHidden()), std::tuple(1u, true));
}

TEST_F(MainFormLive, VoiceMonitorWorksWithEqualActiveAndInactiveColours) {
    ASSERT_TRUE(Start({"--rate-fps", "1", "--count", "1"}, true, false, true));
    ASSERT_TRUE(SimLogHas("RX 00, TX 00"));  // switched off on connecting
    DisplayOptions d = OptionData::DefaultDisplayOptions();
    d.lampInactiveColour = d.lampActiveColour;
    form->Options().SetDisplayOptions(d);
    form->DisplayOptionsChanged();
    // Which channel it follows: ChannelLamps.AutomaticSelectionFollowsTheNewestSeizedChannel.
    BChannelStatus busy;
    busy.direction[0].lineNormal = busy.direction[1].lineNormal = true;
    busy.direction[0].bChannel[2] = true;
    form->RepaintLamps(busy);
    form->Timer1Timer();
    EXPECT_TRUE(SimLogHas("RX 00, TX 03"));
    // Manual: clicks on the panel's rows select (how they move and clear: ChannelLamps).
    form->Options().SetMonitorOptions({0, 0, 1, 0, 0});  // COM1, the ring buffer, the voice monitor by hand
    form->show();
    form->ToggleLampPanel();
    EXPECT_TRUE(form->LampPanel()->VoiceClickable());
    const struct { int row, index; const char* command; } clicks[] = {{0, 4, "RX 00, TX 05"}, {1, 10, "RX 11, TX 05"}};
    for (const auto& c : clicks) {
        QTest::mouseClick(form->LampPanel(), Qt::LeftButton, {}, TLampPanel::VoiceLampRect(c.row, c.index).center());
        EXPECT_TRUE(SimLogHas(c.command)) << c.command;
    }
    // New display options keep the channel chosen.
    form->DisplayOptionsChanged();
    EXPECT_EQ(form->Lamps().SelectedVoice(0), 4);
    // Hiding the panel switches the voice monitor off.
    form->ToggleLampPanel();
    EXPECT_TRUE(SimLogHas("RX 00, TX 00", 2));
}

// ---- The frame list and failures ----

TEST_F(MainForm, FrameListColoursAndTheDetailCommand) {
    form.resize(640, 400);
    form.show();
    form.Timer1Timer();
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 2);  // header and one empty row
    form.Options().SetDisplayOptions(Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8));
    form.DisplayOptionsChanged();
    FrameRecord bad = FcsFrame({0x02, 0x01, 0x03, 0x08, 0x01, 0x01, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA2,
                             0x18, 0x03, 0xA9, 0x83, 0x81, 0x70}, FrameRecord::kTx, false);
    form.Store().Add(bad, true);
    FrameRecord good = FcsFrame({0x02, 0x01, 0x01, 0x02}, FrameRecord::kRx);
    form.Store().Add(good, true);
    form.List().SyncRows();
    TDrawGrid& grid = *form.DrawGrid1();

    grid.SetRow(1);
    const QImage image = grid.viewport()->grab().toImage();
    int redLeft = 0, redRight = 0, blueRight = 0;  // the error and first-line colours
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const bool left = x < grid.ColWidth(0);
            if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60) (left ? redLeft : redRight)++;
            if (qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60 && !left) blueRight++;
        }
    // The bad TX record in the error colour even when selected, nothing of it in
    // the RX column; the good RX record's first line.
    EXPECT_EQ(std::tuple(redLeft > 0, redRight, blueRight > 0), std::tuple(true, 0, true));

    // The detail command refuses the bad frame and opens the good one, by
    // menu or Enter, but not by Enter while monitoring.
    form.Menu().detail->trigger();
    const Box refused{VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"), MessageBoxes::kIconWarning};
    EXPECT_EQ(form.boxes, std::vector{refused});
    grid.SetRow(2);
    QTest::keyClick(&grid, Qt::Key_Return);
    form.SetUiState(UiStates::kMonitoring);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(form.details, std::vector<int32_t>{good.Index()});
}

// Failures while painting or in a command become system-fault notifications;
// the dialog comes once, and saving stays possible.
TEST_F(MainForm, FailuresInPaintingAndCommandsShowTheSystemFaultDialogOnce) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Timer1Timer();
    FrameRecord r = HexFrame("7E 02 01 01 02 00 00 7E", FrameRecord::kTx, 0);
    form.Store().Add(r, true);
    form.failPaint = true;  // a cell's text
    form.DrawGrid1()->viewport()->repaint();
    EXPECT_FALSE(form.DrawingEnabled());
    Pump();
    EXPECT_EQ(form.dialogs, std::vector<QDialog*>{form.NoResourceDlg()});
    // Out of memory while the list brings its rows in step: caught by the application.
    form.DrawGrid1()->onBeforePaint = [] { throw std::bad_alloc(); };
    form.DrawGrid1()->viewport()->repaint();
    form.DrawGrid1()->onBeforePaint = nullptr;
    form.Store().Clear();
    form.failShows = 1;  // 保存's "nothing to save" box fails
    form.Menu().tbSave->trigger();
    EXPECT_EQ(form.boxes.size(), 1u);
    Pump();
    EXPECT_EQ(std::tuple(form.systemFaults, form.dialogs.size(), form.Menu().save->isEnabled()), std::tuple(3, 1u, true));
}

// Any other command that fails names itself in a box; the device link and
// a run go on as they were.
TEST_F(MainForm, AFailingCommandSaysWhatFailedAndLeavesTheLinkAndTheRunAsTheyWere) {
    form.Timer1Timer();
    for (QAction* command : {form.Menu().findNext, form.Menu().about}) {
        form.failShows = 1;  // 次を検索's "not found" box, then the version box while monitoring
        command->trigger();
        form.SetUiState(UiStates::kMonitoring);
    }
    Pump();
    const std::string failed = VELK_SJIS("」を実行できませんでした。\n\nメモリが不足しています。");
    EXPECT_EQ(form.boxes.at(1).text, VELK_SJIS("「次を検索") + failed);
    EXPECT_EQ(form.boxes.at(2), (Box{VELK_SJIS("「ﾊﾞｰｼﾞｮﾝ情報") + failed, VELK_SJIS("エラー"), MessageBoxes::kIconError}));
    ASSERT_EQ(std::tuple(form.systemFaults, form.Link() != nullptr), std::tuple(0, true));
    Inject(form, 0, 3);
    form.Timer1Timer();
    EXPECT_EQ(form.Store().Count(), 3u);
}

// ---- The commands' whole paths through the menus and keys ----

// What the commands do over any window: FileCommandsTest, SearchWindowTest, PrintCommandTest.
TEST_F(MainForm, OpenAndSearchReachTheListAndTheStatusBar) {
    form.show();
    form.Options().SetDisplayOptions(Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8));
    form.DisplayOptionsChanged();
    const std::string a = dir.Slash() + "a.vkt", b = dir.Slash() + "b.vkt";
    const DialogDriver::Step wait = [](QDialog&) {};  // the progress window closes by itself
    const std::string rest = "RX[00:00:01.001]02010202\r\nTX[00:00:01.002]02010404\r\n";
    WriteFile(a, "INDEX=000123\r\nTX[00:00:01.000]02010000\r\n" + rest);
    Answered([&] { form.Menu().open->trigger(); }, {DialogDriver::ChooseFile(a), wait});
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 4);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(a));

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Answered([&] { QTest::keySequence(&form, QKeySequence(Qt::CTRL | Qt::Key_F)); }, {[](QDialog& d) {
        static_cast<TSearchDlg&>(d).TextBox()->setEditText(QStringLiteral("000124"));
        d.accept();
    }});
    EXPECT_EQ(form.SelectedRow(), 2);

    // INDEX 123 to 125 again, the first now of 24 octets: its row is counted anew.
    WriteFile(b, "INDEX=000123\r\nTX[00:00:00.000]0201" + std::string(40, 'A') + "\r\n" + rest);
    Answered([&] { form.Menu().tbOpen->trigger(); }, {DialogDriver::ChooseFile(b), wait});
    EXPECT_EQ(form.DrawGrid1()->Heights().Lines(0), 4);
    EXPECT_TRUE(form.boxes.empty());
}

TEST_F(MainFormLive, MonitorOptionsSetTheClockAndReconnectToTheChosenPort) {
    VelksimProcess sim2;
    ASSERT_TRUE(sim2.Start(2, {"--rate-fps", "1"}));
    ASSERT_TRUE(Start({"--rate-fps", "1"}, true, false));
    form->realDialogs = true;
    TMonOptionDlg& dialog = form->Commands().Get<OptionCommands>().MonitorDialog();
    const auto monitorOptions = [&] { form->Menu().monitorOptions->trigger(); };
    const auto setClock = [&](const char* text) { dialog.ClockEdit()->setText(text), dialog.SetButton()->click(); };
    // 設定, then ｷｬﾝｾﾙ before the timer came round: the request goes with the dialog.
    Answered(monitorOptions, {[&](QDialog& d) { setClock("01:01:01"), d.reject(); }});
    // The device clock shown and set; the dialog closes when the device no longer answers.
    Answered(monitorOptions, {[&](QDialog& d) {
        EXPECT_FALSE(dialog.Tabs()->isTabVisible(TMonOptionDlg::kPortTab));
        form->Timer1Timer();
        EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(dialog.ClockLabel()->text()).hasMatch());
        setClock("02:02:02");  // and the device tab hidden meanwhile
        for (int state : {UiStates::kNoDevice, UiStates::kConnected}) form->SetUiState(state);
        form->Timer1Timer();
        setClock("12:34:56");
        dialog.ClockEdit()->setText(QStringLiteral("1:00"));  // too late to change what is sent
        form->Timer1Timer();
        EXPECT_TRUE(SimLogHas("clock set to 12:34:56.000"));
        EXPECT_EQ(sim.Log().find("clock set to 0"), std::string::npos);  // neither dropped request, ever
        sim.Stop();
        form->Timer1Timer();
        EXPECT_FALSE(d.isVisible());
        d.reject();  // should it have stayed, the test goes on
    }});
    Pump();
    EXPECT_EQ(form->boxes.at(0).caption, VELK_SJIS("異常"));

    // Without a device the port tab is up: COM2 chosen, where the second simulator answers.
    Answered(monitorOptions, {[&](QDialog&) {
        EXPECT_FALSE(dialog.Tabs()->isTabVisible(TMonOptionDlg::kClockTab));
        dialog.PortList()->setCurrentIndex(1);
        dialog.VoiceBox()->click();
        dialog.LogBox()->click();
        dialog.RingBox()->click();
        EXPECT_FALSE(dialog.LogBox()->isEnabled());  // a log only with the ring buffer
        dialog.OkButton()->click();
    }});
    MonitorOptions stored;
    form->Options().GetMonitorOptions(stored);
    EXPECT_EQ(stored, (MonitorOptions{1, 1, 0, 0, 0}));
    EXPECT_EQ(form->CurrentUiState(), UiStates::kConnected);
    EXPECT_EQ(form->StatusPanel(1)->text(), J("ﾊﾞｯﾌｧ  音声ﾓﾆﾀｰ自動"));
}
