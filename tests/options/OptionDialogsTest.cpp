// The option commands through the main window's menus, with the real
// dialogs and velksim on pseudo-terminals.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>

#include <filesystem>

#include <gtest/gtest.h>

#include "ui/QtText.h"
#include "options/OptionCommands.h"
#include "options/TColourBox.h"
#include "options/TMonOptionDlg.h"
#include "options/TOptionDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

namespace {

#define J(utf8) VELK_UI_TEXT(utf8)

// Each shown tab as a picture, when VELK_OPTION_PNGS names a folder.
void Render(QDialog& dialog, QTabWidget* tabs, const char* name) {
    const char* folder = std::getenv("VELK_OPTION_PNGS");
    for (int i = 0; folder && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (tabs->isTabVisible(i)) dialog.grab().save(QStringLiteral("%1/%2-%3.png").arg(folder).arg(name).arg(i));
    }
}

class OptionDialogs : public ::testing::Test {
protected:
    void Open() {
        form = std::make_unique<TestForm>(FormSetup(dir.Slash(), 0, true, false));
        form->realDialogs = true;
        form->show();
        form->Timer1Timer();
        Pump();
    }
    // The entry triggered, its dialog handled by step.
    void Run(QAction* entry, const DialogDriver::Step& step) {
        DialogDriver driver({step});
        entry->trigger();
        Pump();
    }
    DisplayOptions Display() { DisplayOptions d; form->Options().GetDisplayOptions(d); return d; }
    MonitorOptions Monitor() { MonitorOptions m; form->Options().GetMonitorOptions(m); return m; }

    TempFolder dir;
    VelksimProcess sim1, sim2;
    std::unique_ptr<TestForm> form;
};

}  // namespace

TEST_F(OptionDialogs, DisplayOptionsApplyOnOkSurviveARestartAndGoBackToTheDefaults) {
    ASSERT_TRUE(sim1.Start(1, {"--rate-fps", "1"}));
    Open();
    DisplayOptions start = Columns({2, 13, 8}, 4);
    start.errorColour = 0x123456;
    form->Options().SetDisplayOptions(start);
    form->ToggleLampPanel();
    form->LampControl().VoiceLampClicked(4, 0);
    TOptionDlg& dialog = form->Commands().Get<OptionCommands>().DisplayDialog();
    Run(form->Menu().displayOptions, [&](QDialog&) {
        EXPECT_EQ(dialog.windowTitle(), J("オプション"));
        EXPECT_EQ(dialog.ColourBox(DisplayOptionsEditor::kError)->currentText(), J("白色"));
        Render(dialog, dialog.Tabs(), "display");
        dialog.ShownList()->setCurrentRow(1);
        dialog.ColumnButton(TOptionDlg::kRemove)->click();
        dialog.AvailableList()->setCurrentRow(0);
        dialog.ColumnButton(TOptionDlg::kAdd)->click();  // C/R below データ
        dialog.ColourBox(DisplayOptionsEditor::kLampActive)->setCurrentIndex(12);
        dialog.SwitchBox(DisplayOptionsEditor::kIndent)->click();
        dialog.SplitButton(3)->click();
        dialog.OkButton()->click();
    });
    DisplayOptions want = Columns({2, 8, 0}, 32);
    want.errorColour = 0xFFFFFF, want.lampActiveColour = 0xFF00FF, want.indent = 0;
    EXPECT_EQ(Display(), want);
    EXPECT_EQ(form->Lamps().SelectedVoice(0), 4);
    Run(form->Menu().displayOptions, [&](QDialog& d) {
        dialog.ColumnButton(TOptionDlg::kRemove)->click();
        d.reject();
    });
    EXPECT_EQ(Display(), want);
    form.reset();
    Open();
    EXPECT_EQ(Display(), want);

    // Back to the defaults, applied at once.
    form->Options().SetWindowState({0, {}, 500, 300, 10, 10, 100, 100});
    form->Menu().optionReset->trigger();
    ASSERT_EQ(form->boxes.size(), 1u);
    EXPECT_EQ(form->boxes[0].text, VELK_SJIS("オプションファイルを初期化し新規インストールの状態にもどします。"));
    EXPECT_EQ(form->boxes[0].caption, VELK_SJIS("情報"));
    EXPECT_FALSE(std::filesystem::exists(dir.Slash() + "velk.opt"));
    EXPECT_EQ(Display(), OptionData::DefaultDisplayOptions());
    EXPECT_EQ(Monitor(), OptionData::DefaultMonitorOptions());
    EXPECT_TRUE(form->ToolBar1()->isVisible());
    EXPECT_EQ(form->width(), 640);
    EXPECT_EQ(form->StatusPanel(1)->text(), J("ﾘﾝｸﾞﾊﾞｯﾌｧ  音声ﾓﾆﾀｰ手動"));
    EXPECT_EQ(form->Commands().Get<OptionCommands>().DisplayDialog().ShownList()->count(), 12);
}

TEST_F(OptionDialogs, MonitorOptionsSetTheClockAndReconnectToTheChosenPort) {
    ASSERT_TRUE(sim1.Start(1, {"--rate-fps", "1"}));
    ASSERT_TRUE(sim2.Start(2, {"--rate-fps", "1"}));
    Open();
    TMonOptionDlg& dialog = form->Commands().Get<OptionCommands>().MonitorDialog();
    Run(form->Menu().monitorOptions, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), J("ﾓﾆﾀｰｵﾌﾟｼｮﾝ"));
        EXPECT_FALSE(dialog.Tabs()->isTabVisible(TMonOptionDlg::kPortTab));
        form->Timer1Timer();
        EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(dialog.ClockLabel()->text()).hasMatch());
        dialog.ClockEdit()->setText(QStringLiteral("12:60:00"));
        dialog.SetButton()->click();
        dialog.ClockEdit()->setText(QStringLiteral("12:34:56"));
        dialog.SetButton()->click();
        dialog.ClockEdit()->setText(QStringLiteral("1:00"));  // too late to change what is sent
        form->Timer1Timer();
        dialog.RingBox()->click();
        Render(dialog, dialog.Tabs(), "monitor-connected");
        d.reject();
    });
    EXPECT_TRUE(WaitUntil([&] { return sim1.Log().find("clock set to 12:34:56.000") != std::string::npos; }, kPollBoundMs,
                          RunEvents));
    ASSERT_EQ(form->boxes.size(), 1u);
    EXPECT_EQ(form->boxes[0].text, VELK_SJIS("時刻の設定が不整です。\nhh:mm:ss と入力してください。\n[hh=時、mm=分、ss=秒]"));
    EXPECT_EQ(form->boxes[0].caption, VELK_SJIS("時刻"));
    EXPECT_EQ(Monitor(), (MonitorOptions{0, 0, 1, 0, 0}));

    // Without a device the port tab is up: COM2 chosen, where the second simulator answers.
    sim1.Stop();
    form->SetUiState(UiStates::kNoDevice);
    Run(form->Menu().monitorOptions, [&](QDialog&) {
        EXPECT_FALSE(dialog.Tabs()->isTabVisible(TMonOptionDlg::kClockTab));
        dialog.PortList()->setCurrentIndex(1);
        dialog.VoiceBox()->click();
        dialog.LogBox()->click();
        dialog.RingBox()->click();
        EXPECT_FALSE(dialog.LogBox()->isEnabled());
        Render(dialog, dialog.Tabs(), "monitor");
        dialog.OkButton()->click();
    });
    EXPECT_EQ(Monitor(), (MonitorOptions{1, 1, 0, 0, 0}));
    EXPECT_EQ(form->CurrentUiState(), UiStates::kConnected);
    EXPECT_EQ(form->StatusPanel(1)->text(), J("ﾊﾞｯﾌｧ  音声ﾓﾆﾀｰ自動"));
}
