#pragma once
// The main window: it composes the menus and tool bar, the frame list, the
// channel lamps, the status bar and the device link's controller, and
// carries out for them what the window must do (dialogs, notifications,
// the 100 ms timer). Commands reach it through the window roles.
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/FrameListController.h"
#include "app/LampController.h"
#include "app/MainCommands.h"
#include "app/MainMenu.h"
#include "app/MonitorTick.h"
#include "app/MonitoringController.h"
#include "app/StatusPanels.h"
#include "device/DeviceHost.h"
#include "options/DisplayOptions.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/DialogHost.h"
#include "ui/ProgramModel.h"

class QLabel;
class QToolBar;
class TAboutBox;
class TDrawGrid;
class TFloatMessageDlg;
class TLampPanel;
class TNoResourceDlg;

// Where the window keeps its files; empty means beside the program.
struct TMainFormSetup {
    std::string optionFile;
    std::string logFolder;
    bool runTimer = true;
};

class TMainForm : public QMainWindow,
                  public DialogHost,
                  public ProgramModel,
                  public DeviceHost,
                  public MainActions,
                  public MonitorTick::View,
                  public MonitoringController::Window {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 100;

    explicit TMainForm(QWidget* parent = nullptr);
    explicit TMainForm(const TMainFormSetup& setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    // User-interface states 0-3 (UiStates); the toolbar follows the menu.
    void SetUiState(int state) override;
    int UiState() const override { return menu_->UiState(); }
    int CurrentUiState() const { return menu_->UiState(); }
    bool Allows(UiStates::Command command) const { return menu_->Allows(command); }
    // Presses ﾓﾆﾀｰ開始 once a device answers (an unattended start).
    void StartWhenConnected() { monitoring_.StartWhenConnected(); }
    void Timer1Timer();
    void DetailMenuClick();

    // MainActions.
    void StartMonitoring() override;
    void StopMonitoring() override;
    void ToggleLampPanel() override;
    void ToggleToolBar() override;
    void AboutMenuClick() override;
    void Exit() override { close(); }

    // DialogHost: message boxes and modal dialogs go through here (tests record them).
    QWidget& Owner() override { return *this; }
    int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                       MessageBoxes::Buttons buttons) override;
    int ShowModalDialog(QDialog& dialog) override;
    void ShowDetailWindow(QWidget& owner, const DisplayOptions& options, const FrameRecord& record) override;
    void PostNotification(QEvent::Type type) override;
    void SetCommandsEnabled(bool enabled) override { setEnabled(enabled); }

    // ProgramModel.
    FrameStore& Store() override { return store_; }
    OptionData& Options() override { return options_; }
    CallFeed* Calls() override { return &monitoring_.Session().Calls(); }
    ProtocolChecker* Checks() override { return &monitoring_.Session().Checks(); }
    std::string FileName() override;
    void DisplayOptionsChanged() override;
    void MonitorOptionsChanged() override;
    void WindowStateChanged() override;

    // DeviceHost.
    void ShowDeviceConnected(bool connected) override;
    void PostCommunicationFault() override { PostNotification(kCommunicationFault); }
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool IsMonitoring() const override;
    void UncheckChannelInfo() override { lamps_.Uncheck(); }

    // MonitorTick::View; FreeDiskSpace and TickCount are the tests' seams.
    void ShowFirstTick() override;
    void PostSystemFault() override { PostNotification(kSystemFault); }
    bool MayStartMonitoring() const override { return Allows(UiStates::kMonitorStart); }
    bool DeviceConnected() const override { return UiState() == UiStates::kConnected; }
    void PressMonitorStart() override;
    void ShowWaitingForDevice() override { status_.ShowWaitingForDevice(); }
    MonitorClockDialog* ClockDialog() override { return clockDialog_; }
    bool LampsShown() const override { return lamps_.Shown(); }
    void RepaintLamps(const BChannelStatus& status) override { lamps_.Repaint(status); }
    void AutoVoiceMonitor() override { lamps_.AutoVoiceMonitor(); }
    bool FloatMessageShown() const override;
    void CarryOut(const MonitoringSession::Actions& actions) override;
    uint32_t TickCount() const override;
    int64_t FreeDiskSpace() const override;

    // MonitoringController::Window.
    void ShowMonitoring(bool on) override { status_.ShowMonitoring(on); }
    void ShowNewRun() override;
    void ShowError(const std::string& text, const std::string& caption) override;
    void ShowWarning(const std::string& text, const std::string& caption) override;
    void ShowSystemFault() override;

    // The parts, for the window's tests.
    FrameListController& List() { return list_; }
    MonitoringController& Monitoring() { return monitoring_; }
    LampController& LampControl() { return lamps_; }
    ComThread* Link() { return monitoring_.Link(); }
    const ChannelLamps& Lamps() const { return lamps_.Lamps(); }
    MainCommands& Commands() { return commands_; }
    TDrawGrid* DrawGrid1() { return grid_; }
    TLampPanel* LampPanel() { return lamps_.Panel(); }
    TFloatMessageDlg* FloatMessage() { return floatMessage_; }
    TNoResourceDlg* NoResourceDlg() { return noResource_; }
    TAboutBox* AboutBox() { return aboutBox_; }
    QToolBar* ToolBar1() { return menu_->ToolBar(); }
    QLabel* StatusPanel(int index) { return status_.Panel(index); }
    QTimer& Timer1() { return timer1_; }
    int ThinningFactor() const { return monitoring_.Session().ThinningFactor(); }
    const MainMenu::Menus& Menu() const { return menu_->Names(); }
    bool DrawingEnabled() const { return list_.DrawingEnabled(); }
    int SelectedRow() const { return list_.SelectedRow(); }

    // Every frame the timer stores, right after it is numbered.
    std::function<void(const FrameRecord&)> onFrameTaken;
    // Duration of each timer tick in milliseconds.
    std::function<void(double)> onTickDone;

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShutDown();
    void ShowModes();
    // Runs handler; whatever it throws becomes the system-fault notification.
    void RunGuarded(const std::function<void()>& handler);
    // Runs a command's handler. Saving that fails is a system fault; any
    // other command that fails says so in a box and leaves the device link
    // and the run as they are.
    void RunCommand(UiStates::Command command, const std::function<void()>& handler);
    // Runs handler; a failure is shown in a box naming `name` (UTF-8).
    void RunReporting(const std::string& name, const std::function<void()>& handler);

    TMainFormSetup setup_;
    FrameStore store_;
    OptionData options_;
    DisplayOptions display_{};
    MonitoringController monitoring_;
    MainCommands commands_;
    MainMenu* menu_;
    StatusPanels status_;
    TDrawGrid* grid_;
    FrameListController list_;
    LampController lamps_;
    MonitorClockDialog* clockDialog_ = nullptr;
    TFloatMessageDlg* floatMessage_ = nullptr;
    TNoResourceDlg* noResource_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    QTimer timer1_;
    bool shutDown_ = false;
};
