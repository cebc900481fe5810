#include "app/TMainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <chrono>
#include <thread>

#include "app/TAboutBox.h"
#include "app/TFloatMessageDlg.h"
#include "app/TLampPanel.h"
#include "app/TNoResourceDlg.h"
#include "app/VelkApplication.h"
#include "base/Cp932.h"
#include "base/QtText.h"
#include "decode/RowText.h"
#include "device/ComThread.h"
#include "detail/DetailEntrySource.h"
#include "device/DeviceControl.h"
#include "files/DisplayImageCommand.h"
#include "files/TraceFileCommands.h"
#include "options/MonitorClockDialog.h"
#include "options/OptionCommands.h"
#include "options/TMonOptionDlg.h"
#include "options/OptionData.h"
#include "print/PrintCommand.h"
#include "search/SearchCommands.h"
#include "store/FreeSpace.h"
#include "ui/FrameRowPainter.h"
#include "ui/TDrawGrid.h"
#include "ui/WindowPlacement.h"

namespace {

// A UTF-8 literal through its CP932 form to the window.
#define TEXT(utf8) QtText::FromCp932(VELK_SJIS(utf8))

}  // namespace

TMainForm::TMainForm(QWidget* parent) : TMainForm(TMainFormSetup{}, parent) {}

TMainForm::TMainForm(const TMainFormSetup& setup, QWidget* parent)
    : QMainWindow(parent), setup_(setup) {
    setWindowTitle(QStringLiteral("Velkscope"));
    QFont windowFont(QStringLiteral("IPAPGothic"));
    windowFont.setPixelSize(12);
    setFont(windowFont);
    resize(636, 571);

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid_ = new TDrawGrid(client);
    QFont gridFont(QStringLiteral("IPAGothic"));
    gridFont.setPixelSize(12);
    gridFont.setStyleHint(QFont::TypeWriter);
    grid_->setFont(gridFont);
    lampPanel_ = new TLampPanel(lamps_, display_, client);
    lampPanel_->hide();
    layout->addWidget(grid_, 1);
    layout->addWidget(lampPanel_);
    setCentralWidget(client);

    grid_->onDrawCell = [this](QPainter& p, int row, int column, const QRect& rect, bool selected) {
        DrawGrid1DrawCell(p, row, column, rect, selected);
    };
    grid_->onBeforePaint = [this] {
        if (drawingEnabled_) SyncListRows();
    };
    grid_->onOpenRow = [this] { RunGuarded([this] { DetailMenuClick(); }); };
    grid_->onMouseUp = [this] { FitListColumns(); };
    // The list's own size, once laid out, is what the limits refer to.
    grid_->onResized = [this] {
        if (grid_->isVisible()) FitListColumns();
    };
    lampPanel_->onVoiceLampClicked = [this](int lamp, int row) {
        RunGuarded([this, lamp, row] { VoiceLampClicked(lamp, row); });
    };

    traceFiles_ = std::make_unique<TraceFileCommands>(*this);
    displayImage_ = std::make_unique<DisplayImageCommand>(
        *this, [] { return std::make_unique<DetailEntrySource>(MessageCatalogue::Program()); });
    Wire(menu_.open, UiStates::kOpen, [this] { traceFiles_->FileOpenMenuClick(); });
    Wire(menu_.save, UiStates::kSave, [this] { traceFiles_->FileSaveMenuClick(); });
    Wire(menu_.exportImage, UiStates::kExportImage, [this] { displayImage_->ExportDisplayImage(); });
    print_ = std::make_unique<PrintCommand>(*this);
    Wire(menu_.print, UiStates::kPrint, [this] { print_->PrintMenuClick(); });
    search_ = std::make_unique<SearchCommands>(*this);
    Wire(menu_.find, UiStates::kFind, [this] { search_->FindMenuClick(); });
    Wire(menu_.findNext, UiStates::kFindNext, [this] { search_->FindNextMenuClick(); });
    Wire(menu_.batchSearch, UiStates::kBatchSearch, [this] { search_->BatchSearchMenuClick(); });
    Wire(menu_.numberSearch, UiStates::kNumberSearch, [this] { search_->NumberSearchMenuClick(); });
    Wire(menu_.gotoIndex, UiStates::kGotoIndex, [this] { search_->GotoIndexMenuClick(); });

    aboutBox_ = new TAboutBox(this);
    noResource_ = new TNoResourceDlg(this);
    floatMessage_ = new TFloatMessageDlg(this);

    // The store is empty; the options are read; the device link opens COM1.
    lamps_.ResetTracker();
    session_.onFrameTaken = [this](const FrameRecord& record) {
        if (onFrameTaken) onFrameTaken(record);
    };
    options_ = setup_.optionFile.empty() ? std::make_unique<OptionData>()
                                         : std::make_unique<OptionData>(setup_.optionFile);
    if (!setup_.logFolder.empty()) store_.Logs().SetFolder(setup_.logFolder);
    options_->GetDisplayOptions(display_);
    link_ = std::make_unique<ComThread>();
    link_->Start();
    device_ = std::make_unique<DeviceControl>(*link_, *options_, *this);
    optionCommands_ = std::make_unique<OptionCommands>(*this);
    SetMonitorClockDialog(&optionCommands_->MonitorDialog());
    Wire(menu_.displayOptions, UiStates::kDisplayOptions, [this] { optionCommands_->DisplayOptionsMenuClick(); });
    Wire(menu_.monitorOptions, UiStates::kMonitorOptions, [this] { optionCommands_->MonitorOptionsMenuClick(); });
    Wire(menu_.optionReset, UiStates::kOptionReset, [this] { optionCommands_->OptionResetMenuClick(); });
    drawingEnabled_ = true;
    SetUiState(UiStates::kNoDevice);
    ApplyWindowState();

    connect(&timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    timer1_.setInterval(kTimerMs);
    if (setup_.runTimer) timer1_.start();
    // From here on a failing event handler is a system fault, not a failed start.
    VelkApplication::MainWindowUp(this);
}

TMainForm::~TMainForm() {
    ShutDown();
    options_.reset();  // writes the option file
}

QAction* TMainForm::AddEntry(QMenu* menu, const char* utf8, UiStates::Command command) {
    QAction* action = menu->addAction(QtText::FromCp932(Cp932::FromUtf8(utf8)));
    entries_.emplace_back(action, command);
    return action;
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    Menus& m = menu_;
    m.file = bar->addMenu(TEXT("ﾌｧｲﾙ(&F)"));
    m.open = AddEntry(m.file, "開く(&O)", UiStates::kOpen);
    m.save = AddEntry(m.file, "保存(&S)", UiStates::kSave);
    m.file->addSeparator();
    m.optionReset = AddEntry(m.file, "ｵﾌﾟｼｮﾝﾌｧｲﾙ初期化(&C)", UiStates::kOptionReset);
    m.file->addSeparator();
    m.print = AddEntry(m.file, "印刷(&P)", UiStates::kPrint);
    m.exportImage = AddEntry(m.file, "表示ｲﾒｰｼﾞ保存(&I)", UiStates::kExportImage);
    m.file->addSeparator();
    m.exit = AddEntry(m.file, "終了(&X)", UiStates::kExit);
    Wire(m.exit, UiStates::kExit, [this] { close(); });

    m.search = bar->addMenu(TEXT("検索(&S)"));
    entries_.emplace_back(m.search->menuAction(), UiStates::kSearchMenu);
    m.find = AddEntry(m.search, "検索(&F)", UiStates::kFind);
    m.find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m.findNext = AddEntry(m.search, "次を検索(&S)", UiStates::kFindNext);
    m.findNext->setShortcut(QKeySequence(Qt::Key_F3));
    m.search->addSeparator();
    m.batchSearch = AddEntry(m.search, "まとめて検索(&E)", UiStates::kBatchSearch);
    m.batchSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m.numberSearch = AddEntry(m.search, "番号による検索(&N)", UiStates::kNumberSearch);
    m.numberSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m.search->addSeparator();
    m.gotoIndex = AddEntry(m.search, "指定のINDEXへ移動(&G)", UiStates::kGotoIndex);
    m.gotoIndex->setShortcut(QKeySequence(Qt::Key_F5));

    m.view = bar->addMenu(TEXT("表示(&V)"));
    entries_.emplace_back(m.view->menuAction(), UiStates::kViewMenu);
    m.detail = AddEntry(m.view, "詳細ｳｨﾝﾄﾞｳ(&D)", UiStates::kDetail);
    Wire(m.detail, UiStates::kDetail, [this] { detail_.Run(); });
    m.view->addSeparator();
    m.toolBar = AddEntry(m.view, "ﾂｰﾙﾊﾞｰ(&B)", UiStates::kToolBar);
    m.toolBar->setCheckable(true);
    m.toolBar->setChecked(true);
    // A refused click leaves the mark as it was.
    connect(m.toolBar, &QAction::triggered, this, [this](bool checked) {
        if (!Allows(UiStates::kToolBar)) menu_.toolBar->setChecked(!checked);
    });
    Wire(m.toolBar, UiStates::kToolBar, [this] { ToolBarMenuClick(); });
    m.view->addSeparator();
    m.displayOptions = AddEntry(m.view, "ｵﾌﾟｼｮﾝ(&O)", UiStates::kDisplayOptions);

    m.monitor = bar->addMenu(TEXT("ﾓﾆﾀｰ(&M)"));
    entries_.emplace_back(m.monitor->menuAction(), UiStates::kMonitorMenu);
    m.monitorStart = AddEntry(m.monitor, "ﾓﾆﾀｰ開始(&S)", UiStates::kMonitorStart);
    Wire(m.monitorStart, UiStates::kMonitorStart, [this] { StartMonitoring(); });
    m.monitorStop = AddEntry(m.monitor, "ﾓﾆﾀｰ終了(&E)", UiStates::kMonitorStop);
    Wire(m.monitorStop, UiStates::kMonitorStop, [this] { StopMonitoring(); });
    m.monitor->addSeparator();
    m.info = AddEntry(m.monitor, "情報(&I)", UiStates::kInfo);
    m.info->setCheckable(true);
    // The mark shows lampsShown_; a click alone does not move it.
    connect(m.info, &QAction::triggered, this, [this] { menu_.info->setChecked(lampsShown_); });
    Wire(m.info, UiStates::kInfo, [this] { ToggleLampPanel(); });
    m.monitor->addSeparator();
    m.monitorOptions = AddEntry(m.monitor, "ｵﾌﾟｼｮﾝ(&O)", UiStates::kMonitorOptions);

    m.help = bar->addMenu(TEXT("ﾍﾙﾌﾟ(&H)"));
    entries_.emplace_back(m.help->menuAction(), UiStates::kHelpMenu);
    m.about = AddEntry(m.help, "ﾊﾞｰｼﾞｮﾝ情報(&A)", UiStates::kAbout);
    Wire(m.about, UiStates::kAbout, [this] { AboutMenuClick(); });
}

void TMainForm::Wire(QAction* action, UiStates::Command command, std::function<void()> handler) {
    connect(action, &QAction::triggered, this, [this, command, handler = std::move(handler)] {
        if (Allows(command)) RunGuarded(handler);
    });
}

void TMainForm::RunGuarded(const std::function<void()>& handler) {
    // Unwinding through Qt's signal frames would skip their clean-up: a
    // failing command becomes the system fault right here.
    try {
        handler();
    } catch (...) {
        PostNotification(kSystemFault);
    }
}

bool TMainForm::Allows(UiStates::Command command) const {
    if (!UiStates::Enables(uiState_, command)) return false;
    return command != UiStates::kMonitorStop || session_.IsRunning();
}

void TMainForm::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    Menus& m = menu_;
    auto button = [this](QStyle::StandardPixmap icon, const char* hint, QAction* mirror) {
        QAction* a = toolBar_->addAction(style()->standardIcon(icon), QtText::FromCp932(Cp932::FromUtf8(hint)));
        a->setToolTip(a->text());
        a->setEnabled(false);
        connect(a, &QAction::triggered, mirror, &QAction::trigger);
        return a;
    };
    m.tbOpen = button(QStyle::SP_DialogOpenButton, "ﾌｧｲﾙ開く", m.open);
    m.tbSave = button(QStyle::SP_DialogSaveButton, "ﾌｧｲﾙ保存", m.save);
    toolBar_->addSeparator();
    m.tbStart = button(QStyle::SP_MediaPlay, "ﾓﾆﾀｰ開始", m.monitorStart);
    m.tbStop = button(QStyle::SP_MediaStop, "ﾓﾆﾀｰ終了", m.monitorStop);
}

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    const int widths[3] = {80, 180, 50};
    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel(bar);
        status_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        status_[i]->setMinimumWidth(widths[i]);
        if (i < 2) status_[i]->setFixedWidth(widths[i]);
        bar->addWidget(status_[i], i == 2 ? 1 : 0);
    }
}

void TMainForm::MirrorToolBar() {
    menu_.tbOpen->setEnabled(menu_.open->isEnabled());
    menu_.tbSave->setEnabled(menu_.save->isEnabled());
    menu_.tbStart->setEnabled(menu_.monitorStart->isEnabled());
    menu_.tbStop->setEnabled(menu_.monitorStop->isEnabled());
}

void TMainForm::SetUiState(int state) {
    uiState_ = state;
    for (const auto& [action, command] : entries_) action->setEnabled(UiStates::EntryEnabled(state, command));
    session_.SetRunning(UiStates::EntryEnabled(state, UiStates::kMonitorStop));
    if (UiStates::HidesLampPanel(state)) {
        ShowLampPanel(false);
        status_[0]->clear();
    }
    if (monitorDialog_) monitorDialog_->ShowTabs(UiStates::ShowsPortTab(state), UiStates::ShowsClockTab(state));
    MirrorToolBar();
}

void TMainForm::ShowModes() {
    MonitorOptions monitor;
    options_->GetMonitorOptions(monitor);
    std::string text = monitor.ringBuffer ? VELK_SJIS("ﾘﾝｸﾞﾊﾞｯﾌｧ  ") : VELK_SJIS("ﾊﾞｯﾌｧ  ");
    if (monitor.logFile) text += VELK_SJIS("ﾛｸﾞ  ");
    text += monitor.voiceAutomatic ? VELK_SJIS("音声ﾓﾆﾀｰ自動") : VELK_SJIS("音声ﾓﾆﾀｰ手動");
    status_[1]->setText(QtText::FromCp932(text));
}

QString TMainForm::ShortenPath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width) return path;
    // Drop leading folders one by one: "/a/b/c/f" -> "/.../c/f" -> "/.../f".
    QStringList parts = path.split(QLatin1Char('/'));
    const QString root = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    if (!root.isEmpty()) parts.removeFirst();
    for (int skip = 1; skip < parts.size(); ++skip) {
        QString candidate = root + QStringLiteral("...") + QLatin1Char('/') + parts.mid(skip).join(QLatin1Char('/'));
        if (metrics.horizontalAdvance(candidate) <= width) return candidate;
    }
    const QString last = root + QStringLiteral(".../") + parts.last();
    return metrics.elidedText(last, Qt::ElideRight, width);
}

void TMainForm::ShowFileName(const QString& path, bool onlyIfEmpty) {
    if (onlyIfEmpty && !status_[2]->text().isEmpty()) return;
    const int width = statusBar()->width() - 80 - 180 - 8;
    status_[2]->setToolTip(path);
    status_[2]->setText(ShortenPath(path, status_[2]->fontMetrics(), std::max(0, width)));
}

void TMainForm::ApplyWindowState() {
    WindowState state;
    options_->GetWindowState(state);
    menu_.toolBar->setChecked(state.toolBarShown != 0);
    toolBar_->setVisible(state.toolBarShown != 0);
    resize(state.width, state.height);
    move(state.left, state.top);
    grid_->SetColWidth(0, state.firstColumnWidth);
    grid_->SetColWidth(1, state.secondColumnWidth);
}

void TMainForm::StoreWindowState() {
    WindowState state;
    options_->GetWindowState(state);
    state.toolBarShown = menu_.toolBar->isChecked() ? 1 : 0;
    state.width = width();
    state.height = height();
    state.top = pos().y();
    state.left = pos().x();
    state.firstColumnWidth = grid_->ColWidth(0);
    state.secondColumnWidth = grid_->ColWidth(1);
    options_->SetWindowState(state);
}

void TMainForm::ToolBarMenuClick() {
    if (Allows(UiStates::kToolBar)) toolBar_->setVisible(menu_.toolBar->isChecked());
}

void TMainForm::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer1_.stop();
    StoreWindowState();
    if (link_) {
        link_->StopMonitor();
        device_->SelectVoiceMonitor(0, 0);
        device_.reset();
        link_->Stop();
        link_.reset();
    }
    if (floatMessage_) floatMessage_->hide();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    ShutDown();
    QMainWindow::closeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (grid_->isVisible()) FitListColumns();
}

void TMainForm::FitListColumns() {
    const int client = grid_->viewport()->width();
    if (grid_->ColWidth(0) >= client - kMinColumnWidth) grid_->SetColWidth(0, client - kMinColumnWidth);
    for (int c = 0; c < 2; ++c)
        if (grid_->ColWidth(c) < kMinColumnWidth) grid_->SetColWidth(c, kMinColumnWidth);
}

// ---- Notifications and messages ----

void TMainForm::PostNotification(QEvent::Type type) {
    QCoreApplication::postEvent(this, new QEvent(type));
}

void TMainForm::PostCommunicationFault() { PostNotification(kCommunicationFault); }

void TMainForm::customEvent(QEvent* event) {
    if (event->type() == kSystemFault) OnSystemFault();
    else if (event->type() == kCommunicationFault) RunGuarded([this] { OnCommunicationFault(); });
    else if (event->type() == kBufferFull) RunGuarded([this] { OnBufferFull(); });
    else QMainWindow::customEvent(event);
}

void TMainForm::OnCommunicationFault() {
    SetUiState(UiStates::kNoDevice);
    ShowMessageBox(VELK_SJIS("通信異常です。\n\nﾒｲﾝﾒﾆｭｰの「ﾓﾆﾀｰ(M)」→「ｵﾌﾟｼｮﾝ(O)」で\n"
                             "ﾌﾟﾛﾄｺﾙﾓﾆﾀが接続されているﾎﾟｰﾄを選択してください。"),
                   VELK_SJIS("異常"), MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}

void TMainForm::OnBufferFull() {
    // A load that fills the store says so too; only a run changes the state.
    if (uiState_ == UiStates::kMonitoring) {
        if (link_) link_->StopMonitor();
        SetUiState(UiStates::kConnected);
        status_[0]->clear();
    }
    ShowMessageBox(VELK_SJIS("記憶できる件数を超えました。"), VELK_SJIS("バッファフル"), MessageBoxes::kIconWarning,
                   MessageBoxes::kButtonsOk);
}

void TMainForm::OnSystemFault() {
    if (!link_) return;
    timer1_.stop();
    device_.reset();
    // Gone before anything else can fail, so this runs once.
    const std::unique_ptr<ComThread> link = std::move(link_);
    link->Stop();
    SetUiState(UiStates::kSystemFaulted);
    ShowModalDialog(*noResource_);
}

int TMainForm::ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                              MessageBoxes::Buttons buttons) {
    return MessageBoxes::Show(*this, text, caption, icon, buttons);
}

int TMainForm::ShowModalDialog(QDialog& dialog) {
    WindowPlacement::CentreOn(dialog, *this);
    return dialog.exec();
}

int64_t TMainForm::FreeDiskSpace() const { return FreeSpace::Bytes(store_.Logs().Folder()); }

void TMainForm::ShowFloatMessage(const std::string& text) { floatMessage_->ShowMessage(text, this); }

void TMainForm::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption, MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}

void TMainForm::ShowDeviceConnected(bool connected) {
    SetUiState(connected ? UiStates::kConnected : UiStates::kNoDevice);
}

// The device link's reading: a run is on from state 2 until a start is
// possible again, even after a buffer-full stop has ended the taking.
bool TMainForm::IsMonitoring() const { return !UiStates::EntryEnabled(uiState_, UiStates::kMonitorStart); }

int TMainForm::SelectedRow() const { return grid_->Row(); }

QFont TMainForm::ListFont() const { return grid_->font(); }

int TMainForm::ListColumnWidth(int column) const { return grid_->ColWidth(column); }

int TMainForm::ListClientWidth() const { return grid_->viewport()->width(); }

void TMainForm::SelectRow(int row) {
    // A store just loaded may not have been painted yet.
    if (drawingEnabled_) SyncListRows();
    grid_->SetRow(row);
}

void TMainForm::UncheckChannelInfo() {
    lampsShown_ = false;
    menu_.info->setChecked(false);
}

// ---- Commands ----

void TMainForm::DetailMenuClick() {
    if (Allows(UiStates::kDetail)) detail_.Run();
}

void TMainForm::AboutMenuClick() {
    if (!Allows(UiStates::kAbout)) return;
    std::string identity;
    if (!device_ || !device_->AskIdentity(identity)) identity = VELK_SJIS("ﾌﾟﾛﾄｺﾙﾓﾆﾀは未接続状態です");
    aboutBox_->SetIdentity(identity);
    ShowModalDialog(*aboutBox_);
}

void TMainForm::StartMonitoring() {
    if (!Allows(UiStates::kMonitorStart)) return;
    if (!device_ || !device_->IdentifyDevice(true)) return;
    MonitorOptions monitor;
    options_->GetMonitorOptions(monitor);
    ShowFileName(QString(), false);
    session_.NewRun(monitor);
    grid_->Heights().Invalidate();
    SyncListRows();
    grid_->RepaintAll();
    if (link_->StartMonitor()) {
        SetUiState(UiStates::kMonitoring);
        status_[0]->setText(TEXT("Dchﾓﾆﾀｰ中"));
    }
}

void TMainForm::StopMonitoring() {
    if (!Allows(UiStates::kMonitorStop) || !link_) return;
    if (link_->StopMonitor()) {
        SetUiState(UiStates::kConnected);
        status_[0]->clear();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    device_->IdentifyDevice(true);
}

// ---- The timer ----

uint32_t TMainForm::TickCount() const {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TMainForm::Timer1Timer() {
    const auto start = std::chrono::steady_clock::now();
    try {
        TimerTick();
    } catch (...) {
        PostNotification(kSystemFault);
    }
    if (onTickDone)
        onTickDone(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

void TMainForm::TimerTick() {
    MonitorOptions monitor;
    options_->GetDisplayOptions(display_);
    options_->GetMonitorOptions(monitor);

    if (firstTick_) {
        firstTick_ = false;
        if (device_) device_->ConnectDevice(-1, false);
        lamps_.ClearVoice();
        lampPanel_->update();
        ShowModes();
    }
    if (!link_ || !device_) return;
    if (link_->HasFailed()) {
        PostNotification(kSystemFault);
        return;
    }
    if (startPending_ && Allows(UiStates::kMonitorStart)) {
        startPending_ = false;
        menu_.monitorStart->trigger();
    }

    // The device clock, while the monitor options dialog shows its tab.
    if (monitorDialog_ && monitorDialog_->IsOnScreen() && monitorDialog_->ClockTabPresent()) {
        TimeStamp clock;
        if (device_->AskClock(clock)) {
            monitorDialog_->ShowDeviceClock(clock);
        } else {
            monitorDialog_->CloseAsCancelled();
            PostCommunicationFault();
        }
        TimeStamp wanted;
        if (monitorDialog_->TakeClockRequest(wanted)) link_->SetDeviceClock(wanted);
    }

    if (lampsShown_) {
        BChannelStatus status;
        if (device_->AskChannelStatus(status)) RepaintLamps(status);
    }
    if (monitor.voiceAutomatic) AutoVoiceMonitor();

    CarryOut(session_.Tick([this](FrameRecord& record) { return link_->PopFrame(record); }, monitor, TickCount(),
                           [this] { return FreeDiskSpace(); }, floatMessage_->isVisible()));
}

void TMainForm::CarryOut(const MonitoringSession::Actions& actions) {
    if (actions.bufferFull) {
        // No more frames are taken; the notification handler sets the state.
        menu_.monitorStop->setEnabled(false);
        PostNotification(kBufferFull);
    }
    if (actions.syncRows) SyncListRows();
    if (actions.showNewest) {
        const int count = static_cast<int>(store_.Count());
        grid_->SetRowCount(count + 1);
        grid_->SetRow(count);
    }
    if (actions.repaintAll) grid_->RepaintAll();
    if (actions.message != MonitoringSession::kNoMessage) ShowFloatMessage(MonitoringSession::Text(actions.message));
    if (actions.closeFloat && floatMessage_->isVisible()) floatMessage_->hide();
}

// ---- The frame list ----

void TMainForm::SyncListRows() {
    const bool changed = grid_->Heights().Sync(store_, display_);
    const int rows = store_.Count() == 0 ? 2 : static_cast<int>(store_.Count()) + 1;
    if (rows != grid_->RowCount()) grid_->SetRowCount(rows);
    else if (changed) grid_->RowsChanged();
}

void TMainForm::DisplayOptionsChanged() {
    options_->GetDisplayOptions(display_);
    grid_->Heights().Invalidate();
    SyncListRows();
    grid_->RepaintAll();
    // The lamps in the new colours; the selected voice channels stay.
    if (lampsShown_ && link_) link_->RequestChannelStatus();
    lampPanel_->update();
}

void TMainForm::MonitorOptionsChanged() {
    if (device_) device_->ConnectDevice(-1, false);
    ShowModes();
    InitVoiceLamps();
}

void TMainForm::RefreshList(bool recountRows) {
    if (recountRows) {
        grid_->Heights().Invalidate();
        if (drawingEnabled_) SyncListRows();
    }
    grid_->RepaintAll();
}

void TMainForm::BuildCellText(const FrameRecord& record, std::string& text, const DisplayOptions& options,
                              bool fcsGood) {
    RowText::BuildRowText(record, text, options, fcsGood);
}

void TMainForm::DrawGrid1DrawCell(QPainter& painter, int row, int column, const QRect& rect,
                                  bool selected) {
    if (!drawingEnabled_) return;
    const int thinning = session_.ThinningFactor();
    if (thinning != 0 && row != 0 && row % thinning != 0) return;
    try {
        const int lineHeight = grid_->LineHeight();
        if (row == 0) {
            FrameRowPainter::PaintHeader(painter, column, rect, lineHeight);
            return;
        }
        const size_t position = static_cast<size_t>(row - 1);
        if (position >= store_.Count()) return;
        const int lines = FrameRowPainter::PaintRecord(
            painter, store_.At(position), column, rect, lineHeight, selected, display_,
            [this](const FrameRecord& record, std::string& text, const DisplayOptions& options, bool fcsGood) {
                BuildCellText(record, text, options, fcsGood);
            });
        // Both cells of a row take the same height.
        grid_->SetRowLines(row, lines);
    } catch (...) {
        drawingEnabled_ = false;
        if (!paintFaultPosted_) {
            paintFaultPosted_ = true;
            PostNotification(kSystemFault);
        }
    }
}

// ---- Lamps and voice monitor ----

void TMainForm::ToggleLampPanel() {
    if (!Allows(UiStates::kInfo)) return;
    if (!lampsShown_) {
        ShowLampPanel(true);
        lamps_.ResetTracker();
        InitVoiceLamps();
        if (link_) link_->RequestChannelStatus();
    } else {
        ShowLampPanel(false);
        if (device_) device_->SelectVoiceMonitor(0, 0);
    }
}

void TMainForm::ShowLampPanel(bool shown) {
    lampsShown_ = shown;
    menu_.info->setChecked(shown);
    lampPanel_->setVisible(shown);
}

void TMainForm::RepaintLamps(const BChannelStatus& status) {
    lamps_.Repaint(status);
    lampPanel_->update();
}

void TMainForm::InitVoiceLamps() {
    MonitorOptions m;
    options_->GetMonitorOptions(m);
    lamps_.ClearVoice();
    lampPanel_->SetVoiceClickable(m.voiceAutomatic == 0);
    lampPanel_->update();
}

void TMainForm::VoiceLampClicked(int lamp, int row) {
    MonitorOptions m;
    options_->GetMonitorOptions(m);
    const ChannelLamps::VoiceCommand command = lamps_.VoiceLampClicked(lamp, row, m.voiceAutomatic != 0);
    if (!command.send) return;
    lamps_.VoiceCommandDone(command, device_ && device_->SelectVoiceMonitor(command.tx, command.rx));
    lampPanel_->update();
}

void TMainForm::AutoVoiceMonitor() {
    const ChannelLamps::VoiceCommand command = lamps_.AutoVoiceMonitor();
    if (!command.send) return;
    lamps_.VoiceCommandDone(command, device_ && device_->SelectVoiceMonitor(command.tx, command.rx));
    lampPanel_->update();
}
