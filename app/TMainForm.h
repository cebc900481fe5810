#pragma once
// The main window: menus, toolbar, the frame list, the channel lamps and
// the status bar; it owns the frame store, the options, the voice-monitor
// tracker and the device link, and drives live capture from its 100 ms
// timer.
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "device/VoiceMonitorTracker.h"
#include "device/BChannelStatus.h"
#include "device/DeviceHost.h"
#include "options/DisplayOptions.h"
#include "options/MonitorOptions.h"
#include "store/FrameStore.h"

class ComThread;
class DeviceControl;
class MonitorClockDialog;
class OptionData;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPainter;
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

class TMainForm : public QMainWindow, public DeviceHost {
    Q_OBJECT
public:
    // Posted notifications.
    static constexpr QEvent::Type kCommunicationFault = QEvent::Type(QEvent::User + 0);
    static constexpr QEvent::Type kBufferFull = QEvent::Type(QEvent::User + 1);
    static constexpr QEvent::Type kSystemFault = QEvent::Type(QEvent::User + 2);

    enum UiState { kNoDevice = 0, kConnected = 1, kMonitoring = 2, kSystemFaulted = 3 };
    enum MessageIcon { kIconError, kIconWarning, kIconInformation };
    enum MessageButtons { kButtonsOk, kButtonsOkCancel };
    enum MessageResult { kResultOk = 1, kResultCancel = 2 };

    static constexpr int kTimerMs = 100;
    static constexpr uint32_t kRefreshMs = 250;
    static constexpr int64_t kDiskStopBytes = 15000000;
    static constexpr int64_t kDiskWarnBytes = 20000000;
    static constexpr int kMinColumnWidth = 30;

    explicit TMainForm(QWidget* parent = nullptr);
    explicit TMainForm(const TMainFormSetup& setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    // User-interface states 0-3; the toolbar follows the menu.
    void SetUiState(int state);
    int CurrentUiState() const { return uiState_; }
    void ShowModes();
    void ShowFileName(const QString& path, bool onlyIfEmpty);
    // Leading folders of path replaced by "..." until it fits width.
    static QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

    void StartMonitoring();
    void StopMonitoring();
    void Timer1Timer();

    // Channel lamps and voice monitor.
    void ToggleLampPanel();
    void RepaintLamps(const BChannelStatus& status);
    void InitVoiceLamps();
    void PaintAllVoiceLamps(uint32_t colour);
    void PaintVoiceLamp(int row, int index, uint32_t colour);
    int SelectedVoiceLamp(int row) const;
    void VoiceLampClicked(int lamp, int row);
    void AutoVoiceMonitor();

    void PostNotification(QEvent::Type type);
    void DetailMenuClick();
    void AboutMenuClick();
    // Column width limits after a resize or a mouse release in the list.
    void FitListColumns();
    void DrawGrid1DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected);
    // Row count in step with the store; whole repaint when asked.
    void SyncListRows();
    // After the display options changed or a file was loaded.
    void DisplayOptionsChanged();

    // DeviceHost.
    void ShowDeviceConnected(bool connected) override;
    void PostCommunicationFault() override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool IsMonitoring() const override;
    void UncheckChannelInfo() override;

    // Message boxes and modal dialogs go through here (tests record them).
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                               MessageButtons buttons);
    virtual int ShowModalDialog(QDialog& dialog);
    // Free bytes where the log files go.
    virtual int64_t FreeDiskSpace() const;
    // The millisecond tick counter that paces the list (32-bit, wrapping).
    virtual uint32_t TickCount() const;

    FrameStore& Store() { return store_; }
    OptionData& Options() { return *options_; }
    ComThread* Link() { return link_.get(); }
    DeviceControl* Device() { return device_.get(); }
    VoiceMonitorTracker& Tracker() { return tracker_; }
    TDrawGrid* DrawGrid1() { return grid_; }
    TLampPanel* LampPanel() { return lampPanel_; }
    TFloatMessageDlg* FloatMessage() { return floatMessage_; }
    TNoResourceDlg* NoResourceDlg() { return noResource_; }
    TAboutBox* AboutBox() { return aboutBox_; }
    QToolBar* ToolBar1() { return toolBar_; }
    QLabel* StatusPanel(int index) { return status_[index]; }
    QTimer& Timer1() { return timer1_; }
    bool DrawingEnabled() const { return drawingEnabled_; }
    void SetDrawingEnabled(bool enabled) { drawingEnabled_ = enabled; }
    int ThinningFactor() const { return thinning_; }
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
    // Opens the detail window for a store position (its window comes later).
    std::function<void(size_t)> onOpenDetail;

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The text of one row (a seam: painting failures are tested through it).
    virtual void BuildCellText(FrameRecord& record, std::string& text, const DisplayOptions& options,
                               bool fcsGood);

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void MirrorToolBar();
    void ApplyWindowState();
    void StoreWindowState();
    void ShutDown();
    void TimerTick();
    void TakeFrames(const MonitorOptions& monitor, bool& logBehind);
    void RefreshList();
    void WatchLog(const MonitorOptions& monitor, bool logBehind);
    void ShowFloatMessage(const std::string& text);
    void OnCommunicationFault();
    void OnBufferFull();
    void OnSystemFault();
    void ToolBarMenuClick();

    TMainFormSetup setup_;
    FrameStore store_;
    VoiceMonitorTracker tracker_;
    std::unique_ptr<OptionData> options_;
    std::unique_ptr<ComThread> link_;
    std::unique_ptr<DeviceControl> device_;
    MonitorClockDialog* monitorDialog_ = nullptr;

    bool drawingEnabled_ = false;
    bool paintFaultPosted_ = false;
    uint32_t lastRefresh_ = 0;
    bool newFrames_ = false;
    int thinning_ = 0;
    bool firstTick_ = true;
    bool shutDown_ = false;
    int uiState_ = kNoDevice;
    DisplayOptions display_{};

    Menus menu_;
    QToolBar* toolBar_ = nullptr;
    QLabel* status_[3] = {};
    TDrawGrid* grid_ = nullptr;
    TLampPanel* lampPanel_ = nullptr;
    TFloatMessageDlg* floatMessage_ = nullptr;
    TNoResourceDlg* noResource_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    QTimer timer1_;
};
