#include "app/TMainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <chrono>
#include <exception>

#include "app/MainWindowState.h"
#include "app/MenuTable.h"
#include "app/TAboutBox.h"
#include "app/TFloatMessageDlg.h"
#include "app/TLampPanel.h"
#include "app/TNoResourceDlg.h"
#include "app/VelkApplication.h"
#include "base/Cp932.h"
#include "base/DataFolder.h"
#include "detail/DetailCommand.h"
#include "detail/TL3Form1.h"
#include "options/OptionCommands.h"
#include "options/TMonOptionDlg.h"
#include "store/FreeSpace.h"
#include "ui/QtText.h"
#include "ui/TDrawGrid.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

TMainForm::TMainForm(QWidget* parent) : TMainForm(TMainFormSetup{}, parent) {}

TMainForm::TMainForm(const TMainFormSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      setup_(setup),
      options_(setup.optionFile.empty() ? DataFolder::Path() + "velk.opt" : setup.optionFile),
      monitoring_(store_, options_, *this, *this),
      commands_(*this, list_, *this, *this),
      menu_(new MainMenu(*this, commands_, monitoring_.Session(),
                         [this](UiStates::Command command, const std::function<void()>& handler) {
                             RunCommand(command, handler);
                         })),
      status_(*statusBar()),
      grid_(new TDrawGrid),
      list_(*grid_, store_, display_, monitoring_.Session(), status_, *this),
      lamps_(*this, display_, options_, monitoring_, *menu_) {
    setWindowTitle(QStringLiteral("Velkscope"));
    setFont(WindowFonts::WindowFont());
    resize(636, 571);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid_->setFont(WindowFonts::ListFont());
    layout->addWidget(grid_, 1);
    layout->addWidget(lamps_.Panel());
    setCentralWidget(client);
    grid_->onOpenRow = [this] { RunCommand(UiStates::kDetail, [this] { DetailMenuClick(); }); };
    lamps_.Panel()->onVoiceLampClicked = [this](int lamp, int row) {
        RunReporting("音声ﾓﾆﾀｰ", [this, lamp, row] { lamps_.VoiceLampClicked(lamp, row); });
    };

    aboutBox_ = new TAboutBox(this);
    noResource_ = new TNoResourceDlg(this);
    floatMessage_ = new TFloatMessageDlg(this);

    monitoring_.Session().onFrameTaken = [this](const FrameRecord& record) {
        if (onFrameTaken) onFrameTaken(record);
    };
    // The session reads the frames it takes as calls; a loaded store is read whole.
    list_.onStoreReplaced = [this] { monitoring_.Session().Calls().Reload(store_); };
    if (!setup_.logFolder.empty()) store_.Logs().SetFolder(setup_.logFolder);
    options_.GetDisplayOptions(display_);
    // The monitor options dialog is there from the start: the timer shows
    // the device clock in it.
    clockDialog_ = &commands_.Get<OptionCommands>().MonitorDialog();
    SetUiState(UiStates::kNoDevice);
    WindowStateChanged();

    connect(&timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    timer1_.setInterval(kTimerMs);
    if (setup_.runTimer) timer1_.start();
    // From here on a failing event handler is a system fault, not a failed start.
    VelkApplication::MainWindowUp(this);
}

// The options write their file as they go, after the window state.
TMainForm::~TMainForm() { ShutDown(); }

void TMainForm::RunGuarded(const std::function<void()>& handler) {
    // Unwinding through Qt's signal frames would skip their clean-up: a
    // failing command becomes the system fault right here.
    try {
        handler();
    } catch (...) {
        PostNotification(kSystemFault);
    }
}

void TMainForm::RunCommand(UiStates::Command command, const std::function<void()>& handler) {
    if (command == UiStates::kSave) return RunGuarded(handler);
    RunReporting(MenuTable::Name(command), handler);
}

void TMainForm::RunReporting(const std::string& name, const std::function<void()>& handler) {
    std::exception_ptr error;
    try {
        handler();
        return;
    } catch (...) {
        error = std::current_exception();
    }
    // "「まとめて検索」を実行できませんでした。" and what the failure says of itself.
    RunGuarded([&] {
        ShowError(VELK_SJIS("「") + Cp932::FromUtf8(name) +
                      VELK_SJIS("」を実行できませんでした。\n\n") + VelkApplication::Describe(error),
                  VELK_SJIS("エラー"));
    });
}

void TMainForm::SetUiState(int state) {
    menu_->SetUiState(state);
    monitoring_.Session().SetRunning(UiStates::EntryEnabled(state, UiStates::kMonitorStop));
    if (UiStates::HidesLampPanel(state)) {
        lamps_.Show(false);
        status_.ShowMonitoring(false);
    }
    if (clockDialog_) clockDialog_->ShowTabs(UiStates::ShowsPortTab(state), UiStates::ShowsClockTab(state));
}

void TMainForm::ShowModes() {
    MonitorOptions monitor;
    options_.GetMonitorOptions(monitor);
    status_.ShowModes(monitor);
}

void TMainForm::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer1_.stop();
    MainWindowState::Store(options_, *this, *menu_, *grid_);
    monitoring_.ShutDown();
    floatMessage_->hide();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    ShutDown();
    QMainWindow::closeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (grid_->isVisible()) list_.FitColumns();
}

// ---- Commands of the window itself ----

void TMainForm::StartMonitoring() {
    if (Allows(UiStates::kMonitorStart)) monitoring_.StartMonitoring();
}

void TMainForm::StopMonitoring() {
    if (Allows(UiStates::kMonitorStop)) monitoring_.StopMonitoring();
}

void TMainForm::ToggleLampPanel() {
    if (Allows(UiStates::kInfo)) lamps_.Toggle();
}

void TMainForm::ToggleToolBar() {
    if (!Allows(UiStates::kToolBar)) return;
    const bool shown = !menu_->IsChecked(UiStates::kToolBar);
    menu_->SetChecked(UiStates::kToolBar, shown);
    menu_->ToolBar()->setVisible(shown);
}

void TMainForm::AboutMenuClick() {
    if (!Allows(UiStates::kAbout)) return;
    std::string identity;
    if (!monitoring_.AskIdentity(identity)) identity = VELK_SJIS("ﾌﾟﾛﾄｺﾙﾓﾆﾀは未接続状態です");
    aboutBox_->SetIdentity(identity);
    ShowModalDialog(*aboutBox_);
}

void TMainForm::DetailMenuClick() {
    if (Allows(UiStates::kDetail)) commands_.Get<DetailCommand>().Run();
}

// ---- Dialogs and notifications ----

int TMainForm::ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                              MessageBoxes::Buttons buttons) {
    return MessageBoxes::Show(*this, text, caption, icon, buttons);
}

int TMainForm::ShowModalDialog(QDialog& dialog) {
    WindowPlacement::CentreOn(dialog, *this);
    return dialog.exec();
}

void TMainForm::ShowDetailWindow(QWidget& owner, const DisplayOptions& options, const FrameRecord& record) {
    TL3Form1 form(owner, options, record);
    form.exec();
}

void TMainForm::PostNotification(QEvent::Type type) { QCoreApplication::postEvent(this, new QEvent(type)); }

void TMainForm::customEvent(QEvent* event) {
    if (event->type() == kSystemFault) {
        if (monitoring_.Present()) timer1_.stop();
        monitoring_.OnSystemFault();
    } else if (event->type() == kCommunicationFault) {
        RunGuarded([this] { monitoring_.OnCommunicationFault(); });
    } else if (event->type() == kBufferFull) {
        RunGuarded([this] { monitoring_.OnBufferFull(); });
    } else {
        QMainWindow::customEvent(event);
    }
}

void TMainForm::ShowError(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption, MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}

void TMainForm::ShowWarning(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption, MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
}

void TMainForm::ShowMessage(const std::string& text, const std::string& caption) { ShowError(text, caption); }

void TMainForm::ShowSystemFault() { ShowModalDialog(*noResource_); }

// ---- The program's state ----

void TMainForm::DisplayOptionsChanged() {
    options_.GetDisplayOptions(display_);
    list_.Recount();
    lamps_.ColoursChanged();
}

void TMainForm::MonitorOptionsChanged() {
    monitoring_.ConnectStoredPort();
    ShowModes();
    lamps_.InitVoiceLamps();
}

std::string TMainForm::FileName() { return QtText::ToCp932(status_.FileName()); }

void TMainForm::WindowStateChanged() { MainWindowState::Apply(options_, *this, *menu_, *grid_); }

void TMainForm::ShowDeviceConnected(bool connected) {
    SetUiState(connected ? UiStates::kConnected : UiStates::kNoDevice);
}

// The device link's reading: a run is on from state 2 until a start is
// possible again, even after a buffer-full stop has ended the taking.
bool TMainForm::IsMonitoring() const { return !UiStates::EntryEnabled(UiState(), UiStates::kMonitorStart); }

void TMainForm::ShowNewRun() {
    status_.ShowFileName(QString(), false);
    list_.Recount();
}

// ---- The timer ----

void TMainForm::Timer1Timer() {
    const auto start = std::chrono::steady_clock::now();
    try {
        MonitorOptions monitor;
        options_.GetDisplayOptions(display_);
        options_.GetMonitorOptions(monitor);
        monitoring_.Tick(*this, monitor);
    } catch (...) {
        PostNotification(kSystemFault);
    }
    if (onTickDone)
        onTickDone(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

void TMainForm::ShowFirstTick() {
    lamps_.ClearVoice();
    ShowModes();
}

void TMainForm::PressMonitorStart() { menu_->Action(UiStates::kMonitorStart)->trigger(); }

bool TMainForm::FloatMessageShown() const { return floatMessage_->isVisible(); }

void TMainForm::CarryOut(const MonitoringSession::Actions& actions) {
    if (actions.bufferFull) {
        // No more frames are taken; the notification handler sets the state.
        menu_->DisableStop();
        PostNotification(kBufferFull);
    }
    list_.ShowTaken(actions);
    if (actions.message != MonitoringSession::kNoMessage)
        floatMessage_->ShowMessage(MonitoringSession::Text(actions.message), this);
    if (actions.closeFloat && floatMessage_->isVisible()) floatMessage_->hide();
}

uint32_t TMainForm::TickCount() const {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t TMainForm::FreeDiskSpace() const { return FreeSpace::Bytes(store_.Logs().Folder()); }
