#pragma once
// The main window: menus, toolbar, the frame list, the channel lamps and
// the status bar. It owns the frame store, the options, the device link,
// the monitoring session and the lamp states, and hands the 100 ms timer's
// work to them; subsystem commands reach it through MainWindowServices.
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MonitoringSession.h"
#include "app/UiStates.h"
#include "detail/DetailCommand.h"
#include "device/BChannelStatus.h"
#include "device/ChannelLamps.h"
#include "device/DeviceHost.h"
#include "options/DisplayOptions.h"
#include "options/MonitorOptions.h"
#include "store/FrameStore.h"
#include "ui/MainWindowServices.h"

class ComThread;
class DeviceControl;
class MonitorClockDialog;
class OptionCommands;
class OptionData;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPainter;
class QToolBar;
class DisplayImageCommand;
class PrintCommand;
class SearchCommands;
class TAboutBox;
class TDrawGrid;
class TFloatMessageDlg;
class TLampPanel;
class TNoResourceDlg;
class TraceFileCommands;

// Where the window keeps its files; empty means beside the program.
struct TMainFormSetup {
    std::string optionFile;
    std::string logFolder;
    bool runTimer = true;
};

class TMainForm : public QMainWindow, public DeviceHost, public MainWindowServices {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 100;
    static constexpr int kMinColumnWidth = 30;

    explicit TMainForm(QWidget* parent = nullptr);
    explicit TMainForm(const TMainFormSetup& setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    // User-interface states 0-3 (UiStates); the toolbar follows the menu.
    void SetUiState(int state);
    int CurrentUiState() const { return uiState_; }
    // Whether a command may run now: the state enables it, and ﾓﾆﾀｰ終了
    // only while frames are being taken.
    bool Allows(UiStates::Command command) const;
    // Runs handler for the action's trigger (menu, toolbar or shortcut)
    // only while Allows(command).
    void Wire(QAction* action, UiStates::Command command, std::function<void()> handler);

    void ShowModes();
    void ShowFileName(const QString& path, bool onlyIfEmpty) override;
    // Leading folders of path replaced by "..." until it fits width.
    static QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

    void StartMonitoring();
    void StopMonitoring();
    // Presses ﾓﾆﾀｰ開始 on the first tick that allows it (an unattended
    // start from the command line).
    void StartWhenConnected() { startPending_ = true; }
    void Timer1Timer();

    // Channel lamps and voice monitor.
    void ToggleLampPanel();
    void RepaintLamps(const BChannelStatus& status);
    void InitVoiceLamps();
    void VoiceLampClicked(int lamp, int row);
    void AutoVoiceMonitor();

    void DetailMenuClick();
    void AboutMenuClick();
    // Column width limits after a resize or a mouse release in the list.
    void FitListColumns();
    void DrawGrid1DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected);
    // Row count in step with the store.
    void SyncListRows();

    // DeviceHost.
    void ShowDeviceConnected(bool connected) override;
    void PostCommunicationFault() override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool IsMonitoring() const override;
    void UncheckChannelInfo() override;

    // MainWindowServices. Message boxes and modal dialogs go through here
    // (tests record them).
    FrameStore& Store() override { return store_; }
    OptionData& Options() override { return *options_; }
    int SelectedRow() const override;
    void SelectRow(int row) override;
    int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                       MessageBoxes::Buttons buttons) override;
    int ShowModalDialog(QDialog& dialog) override;
    void PostNotification(QEvent::Type type) override;
    bool DrawingEnabled() const override { return drawingEnabled_; }
    void SetDrawingEnabled(bool enabled) override { drawingEnabled_ = enabled; }
    void DisplayOptionsChanged() override;
    void MonitorOptionsChanged() override;
    void WindowStateChanged() override { ApplyWindowState(); }
    void RefreshList(bool recountRows) override;
    QWidget& Owner() override { return *this; }
    QFont ListFont() const override;
    int ListColumnWidth(int column) const override;
    int ListClientWidth() const override;
    void SetCommandsEnabled(bool enabled) override { setEnabled(enabled); }

    // Free bytes where the log files go.
    virtual int64_t FreeDiskSpace() const;
    // The millisecond tick counter that paces the list (32-bit, wrapping).
    virtual uint32_t TickCount() const;

    ComThread* Link() { return link_.get(); }
    DeviceControl* Device() { return device_.get(); }
    const ChannelLamps& Lamps() const { return lamps_; }
    DetailCommand& Detail() { return detail_; }
    TraceFileCommands& TraceFiles() { return *traceFiles_; }
    PrintCommand& Print() { return *print_; }
    OptionCommands& OptionDialogs() { return *optionCommands_; }
    SearchCommands& Search() { return *search_; }
    TDrawGrid* DrawGrid1() { return grid_; }
    TLampPanel* LampPanel() { return lampPanel_; }
    TFloatMessageDlg* FloatMessage() { return floatMessage_; }
    TNoResourceDlg* NoResourceDlg() { return noResource_; }
    TAboutBox* AboutBox() { return aboutBox_; }
    QToolBar* ToolBar1() { return toolBar_; }
    QLabel* StatusPanel(int index) { return status_[index]; }
    QTimer& Timer1() { return timer1_; }
    int ThinningFactor() const { return session_.ThinningFactor(); }
    // The monitor options dialog, when it exists.
    void SetMonitorClockDialog(MonitorClockDialog* dialog) { monitorDialog_ = dialog; }

    struct Menus {
        QMenu* file = nullptr;
        QMenu* search = nullptr;
        QMenu* view = nullptr;
        QMenu* monitor = nullptr;
        QMenu* help = nullptr;
        QAction* open = nullptr;
        QAction* save = nullptr;
        QAction* optionReset = nullptr;
        QAction* print = nullptr;
        QAction* exportImage = nullptr;
        QAction* exit = nullptr;
        QAction* find = nullptr;
        QAction* findNext = nullptr;
        QAction* batchSearch = nullptr;
        QAction* numberSearch = nullptr;
        QAction* gotoIndex = nullptr;
        QAction* detail = nullptr;
        QAction* toolBar = nullptr;
        QAction* displayOptions = nullptr;
        QAction* monitorStart = nullptr;
        QAction* monitorStop = nullptr;
        QAction* info = nullptr;
        QAction* monitorOptions = nullptr;
        QAction* about = nullptr;
        // Toolbar buttons.
        QAction* tbOpen = nullptr;
        QAction* tbSave = nullptr;
        QAction* tbStart = nullptr;
        QAction* tbStop = nullptr;
    };
    const Menus& Menu() const { return menu_; }

    // Every frame the timer stores, right after it is numbered.
    std::function<void(const FrameRecord&)> onFrameTaken;
    // Duration of each timer tick in milliseconds.
    std::function<void(double)> onTickDone;

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The text of one row (a seam: painting failures are tested through it).
    virtual void BuildCellText(const FrameRecord& record, std::string& text, const DisplayOptions& options,
                               bool fcsGood);

private:
    void BuildMenus();
    QAction* AddEntry(QMenu* menu, const char* utf8, UiStates::Command command);
    void BuildToolBar();
    void BuildStatusBar();
    void MirrorToolBar();
    void ApplyWindowState();
    void StoreWindowState();
    void ShutDown();
    void TimerTick();
    void CarryOut(const MonitoringSession::Actions& actions);
    void ShowFloatMessage(const std::string& text);
    void OnCommunicationFault();
    void OnBufferFull();
    void OnSystemFault();
    void ToolBarMenuClick();
    // The lamp panel and the check mark of 情報.
    void ShowLampPanel(bool shown);
    // Runs handler; whatever it throws becomes the system-fault notification.
    void RunGuarded(const std::function<void()>& handler);

    TMainFormSetup setup_;
    FrameStore store_;
    MonitoringSession session_{store_};
    ChannelLamps lamps_;
    DetailCommand detail_{*this};
    std::unique_ptr<OptionData> options_;
    std::unique_ptr<ComThread> link_;
    std::unique_ptr<DeviceControl> device_;
    std::unique_ptr<TraceFileCommands> traceFiles_;
    std::unique_ptr<DisplayImageCommand> displayImage_;
    std::unique_ptr<PrintCommand> print_;
    std::unique_ptr<OptionCommands> optionCommands_;
    std::unique_ptr<SearchCommands> search_;
    MonitorClockDialog* monitorDialog_ = nullptr;

    bool drawingEnabled_ = false;
    bool paintFaultPosted_ = false;
    bool firstTick_ = true;
    bool startPending_ = false;
    // The lamp panel is shown (情報 carries its check mark); the timer then
    // asks for the channel status.
    bool lampsShown_ = false;
    bool shutDown_ = false;
    int uiState_ = UiStates::kNoDevice;
    DisplayOptions display_{};

    Menus menu_;
    // Every menu entry with the command the state table knows it by.
    std::vector<std::pair<QAction*, UiStates::Command>> entries_;
    QToolBar* toolBar_ = nullptr;
    QLabel* status_[3] = {};
    TDrawGrid* grid_ = nullptr;
    TLampPanel* lampPanel_ = nullptr;
    TFloatMessageDlg* floatMessage_ = nullptr;
    TNoResourceDlg* noResource_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    QTimer timer1_;
};
