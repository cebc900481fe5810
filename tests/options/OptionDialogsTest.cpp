// The option commands over a fake window, with the real dialogs: what they
// store, when they tell the window, and the return to the defaults.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

#include <gtest/gtest.h>

#include "ui/QtText.h"
#include "options/OptionCommands.h"
#include "options/TColourBox.h"
#include "options/TMonOptionDlg.h"
#include "options/TOptionDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeWindow.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

#define J(utf8) VELK_UI_TEXT(utf8)

// COM1 and COM2 on the port list, nothing behind them.
struct TwoPorts {
    TwoPorts() { for (int port : {1, 2}) TestPorts::Link(port, TestPorts::Folder() + "none"); }
};

class OptionDialogs : public ::testing::Test, TwoPorts {
protected:
    OptionDialogs() { window.realDialogs = true; }
    DisplayOptions Display() { DisplayOptions d; window.options.GetDisplayOptions(d); return d; }
    MonitorOptions Monitor() { MonitorOptions m; window.options.GetMonitorOptions(m); return m; }

    TempFolder dir;
    FakeWindow window{dir.Slash()};
    OptionCommands commands{window, window};
};

}  // namespace

TEST_F(OptionDialogs, DisplayOptionsApplyOnOkOnlyAndGoBackToTheDefaults) {
    window.options.SetDisplayOptions(Columns({2, 13, 8}, 4));
    TOptionDlg& dialog = commands.DisplayDialog();
    Answered([&] { commands.DisplayOptionsMenuClick(); }, {[&](QDialog&) {
        EXPECT_EQ(dialog.windowTitle(), J("オプション"));
        EXPECT_EQ(dialog.ColourBox(DisplayOptionsEditor::kError)->currentText(), J("赤色"));  // 0x0000FF
        dialog.ShownList()->setCurrentRow(1);
        dialog.ColumnButton(TOptionDlg::kRemove)->click();
        dialog.AvailableList()->setCurrentRow(0);
        dialog.ColumnButton(TOptionDlg::kAdd)->click();  // C/R below データ
        dialog.ColourBox(DisplayOptionsEditor::kLampActive)->setCurrentIndex(12);
        dialog.SwitchBox(DisplayOptionsEditor::kIndent)->click();
        dialog.SplitButton(3)->click();
        dialog.OkButton()->click();
    }});
    DisplayOptions want = Columns({2, 8, 0}, 32);
    want.lampActiveColour = 0xFF00FF, want.indent = 0;
    EXPECT_EQ(std::tuple(Display(), window.displayChanges), std::tuple(want, 1));
    Answered([&] { commands.DisplayOptionsMenuClick(); }, {[&](QDialog& d) {
        dialog.ColumnButton(TOptionDlg::kRemove)->click();
        d.reject();
    }});
    EXPECT_EQ(std::tuple(Display(), window.displayChanges), std::tuple(want, 1));

    // Back to the defaults: the file goes, the window and the dialogs follow.
    window.options.SetMonitorOptions({3, 1, 0, 0, 0});
    ASSERT_TRUE(window.options.Save());
    commands.OptionResetMenuClick();
    const std::string reset = VELK_SJIS("オプションファイルを初期化し新規インストールの状態にもどします。");
    EXPECT_EQ(window.boxes, (std::vector<FakeWindow::Box>{{reset, VELK_SJIS("情報"), MessageBoxes::kIconInformation}}));
    EXPECT_FALSE(std::filesystem::exists(dir.Slash() + "velk.opt"));
    EXPECT_EQ(std::tuple(Display(), Monitor()), std::tuple(OptionData::DefaultDisplayOptions(), OptionData::DefaultMonitorOptions()));
    EXPECT_EQ(std::tuple(window.windowStateChanges, window.monitorChanges, window.displayChanges), std::tuple(1, 1, 2));
    EXPECT_EQ(dialog.ShownList()->count(), 12);
}

// What OK stores and how the window follows: MainFormLive.MonitorOptionsSetTheClockAndReconnectToTheChosenPort.
TEST_F(OptionDialogs, MonitorOptionsWarnOfABadClockAndACancelStoresNothing) {
    window.options.SetMonitorOptions({0, 0, 1, 0, 0});
    TMonOptionDlg& dialog = commands.MonitorDialog();
    dialog.ShowTabs(false, true);  // as while a device is connected
    Answered([&] { commands.MonitorOptionsMenuClick(); }, {[&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), J("ﾓﾆﾀｰｵﾌﾟｼｮﾝ"));
        dialog.ClockEdit()->setText(QStringLiteral("12:60:00"));
        dialog.SetButton()->click();
        dialog.RingBox()->click();
        d.reject();
    }});
    const std::string bad = VELK_SJIS("時刻の設定が不整です。\nhh:mm:ss と入力してください。\n[hh=時、mm=分、ss=秒]");
    EXPECT_EQ(window.boxes, (std::vector<FakeWindow::Box>{{bad, VELK_SJIS("時刻"), MessageBoxes::kIconWarning}}));
    EXPECT_EQ(std::tuple(Monitor(), window.monitorChanges), std::tuple(MonitorOptions{0, 0, 1, 0, 0}, 0));
}
