#include "app/TMainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <chrono>
#include <thread>

#include "options/MonitorClockDialog.h"
#include "app/TAboutBox.h"
#include "ui/TDrawGrid.h"
#include "app/TFloatMessageDlg.h"
#include "app/TLampPanel.h"
#include "app/TNoResourceDlg.h"
#include "ui/WindowPlacement.h"
#include "base/Cp932.h"
#include "base/QtText.h"
#include "decode/RowText.h"
#include "device/ComThread.h"
#include "device/DeviceControl.h"
#include "options/OptionData.h"
#include "store/FreeSpace.h"

namespace {

// A UTF-8 literal through its CP932 form to the window.
#define TEXT(utf8) QtText::FromCp932(VELK_SJIS(utf8))

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

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
    lampPanel_ = new TLampPanel(client);
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
    grid_->onOpenRow = [this] { DetailMenuClick(); };
    grid_->onMouseUp = [this] { FitListColumns(); };
    // The list's own size, once laid out, is what the limits refer to.
    grid_->onResized = [this] {
        if (grid_->isVisible()) FitListColumns();
    };
    lampPanel_->onVoiceLampClicked = [this](int lamp, int row) { VoiceLampClicked(lamp, row); };

    aboutBox_ = new TAboutBox(this);
    noResource_ = new TNoResourceDlg(this);
    floatMessage_ = new TFloatMessageDlg(this);

    // The store is empty; the options are read; the device link opens COM1.
    tracker_.Reset();
    options_ = setup_.optionFile.empty() ? std::make_unique<OptionData>()
                                         : std::make_unique<OptionData>(setup_.optionFile);
    if (!setup_.logFolder.empty()) store_.Logs().SetFolder(setup_.logFolder);
    options_->GetDisplayOptions(display_);
    link_ = std::make_unique<ComThread>();
    link_->Start();
    device_ = std::make_unique<DeviceControl>(*link_, *options_, *this);
    drawingEnabled_ = true;
    SetUiState(kNoDevice);
    ApplyWindowState();

    connect(&timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    timer1_.setInterval(kTimerMs);
    if (setup_.runTimer) timer1_.start();
}

TMainForm::~TMainForm() {
    ShutDown();
    options_.reset();  // writes the option file
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    Menus& m = menu_;
    m.file = bar->addMenu(TEXT("ﾌｧｲﾙ(&F)"));
    m.open = m.file->addAction(TEXT("開く(&O)"));
    m.save = m.file->addAction(TEXT("保存(&S)"));
    m.file->addSeparator();
    m.optionReset = m.file->addAction(TEXT("ｵﾌﾟｼｮﾝﾌｧｲﾙ初期化(&C)"));
    m.file->addSeparator();
    m.print = m.file->addAction(TEXT("印刷(&P)"));
    m.exportImage = m.file->addAction(TEXT("表示ｲﾒｰｼﾞ保存(&I)"));
    m.file->addSeparator();
    m.exit = m.file->addAction(TEXT("終了(&X)"));
    connect(m.exit, &QAction::triggered, this, &QWidget::close);

    m.search = bar->addMenu(TEXT("検索(&S)"));
    m.find = m.search->addAction(TEXT("検索(&F)"));
    m.find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m.findNext = m.search->addAction(TEXT("次を検索(&S)"));
    m.findNext->setShortcut(QKeySequence(Qt::Key_F3));
    m.search->addSeparator();
    m.batchSearch = m.search->addAction(TEXT("まとめて検索(&E)"));
    m.batchSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m.numberSearch = m.search->addAction(TEXT("番号による検索(&N)"));
    m.numberSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m.search->addSeparator();
    m.gotoIndex = m.search->addAction(TEXT("指定のINDEXへ移動(&G)"));
    m.gotoIndex->setShortcut(QKeySequence(Qt::Key_F5));

    m.view = bar->addMenu(TEXT("表示(&V)"));
    m.detail = m.view->addAction(TEXT("詳細ｳｨﾝﾄﾞｳ(&D)"));
    connect(m.detail, &QAction::triggered, this, &TMainForm::DetailMenuClick);
    m.view->addSeparator();
    m.toolBar = m.view->addAction(TEXT("ﾂｰﾙﾊﾞｰ(&B)"));
    m.toolBar->setCheckable(true);
    m.toolBar->setChecked(true);
    connect(m.toolBar, &QAction::triggered, this, [this](bool) { ToolBarMenuClick(); });
    m.view->addSeparator();
    m.displayOptions = m.view->addAction(TEXT("ｵﾌﾟｼｮﾝ(&O)"));

    m.monitor = bar->addMenu(TEXT("ﾓﾆﾀｰ(&M)"));
    m.monitorStart = m.monitor->addAction(TEXT("ﾓﾆﾀｰ開始(&S)"));
    connect(m.monitorStart, &QAction::triggered, this, &TMainForm::StartMonitoring);
    m.monitorStop = m.monitor->addAction(TEXT("ﾓﾆﾀｰ終了(&E)"));
    connect(m.monitorStop, &QAction::triggered, this, &TMainForm::StopMonitoring);
    m.monitor->addSeparator();
    m.info = m.monitor->addAction(TEXT("情報(&I)"));
    m.info->setCheckable(true);
    // The handler decides from the mark as it was before the click.
    connect(m.info, &QAction::triggered, this, [this](bool checked) {
        menu_.info->setChecked(!checked);
        ToggleLampPanel();
    });
    m.monitor->addSeparator();
    m.monitorOptions = m.monitor->addAction(TEXT("ｵﾌﾟｼｮﾝ(&O)"));

    m.help = bar->addMenu(TEXT("ﾍﾙﾌﾟ(&H)"));
    m.about = m.help->addAction(TEXT("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    connect(m.about, &QAction::triggered, this, &TMainForm::AboutMenuClick);
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
    Menus& m = menu_;
    const bool idle = state == kNoDevice || state == kConnected;
    const bool running = state == kMonitoring;
    m.search->menuAction()->setEnabled(idle);
    m.view->menuAction()->setEnabled(idle);
    m.monitor->menuAction()->setEnabled(state != kSystemFaulted);
    m.help->menuAction()->setEnabled(state != kSystemFaulted);
    m.open->setEnabled(idle);
    m.save->setEnabled(idle || state == kSystemFaulted);
    m.print->setEnabled(idle);
    m.exportImage->setEnabled(idle);
    m.optionReset->setEnabled(idle);
    m.monitorStart->setEnabled(idle);
    m.monitorStop->setEnabled(running);
    m.info->setEnabled(idle || running);
    m.monitorOptions->setEnabled(idle);
    if (state == kNoDevice || state == kSystemFaulted) {
        m.info->setChecked(false);
        lampPanel_->hide();
        status_[0]->clear();
    }
    if (monitorDialog_) {
        if (state == kNoDevice) monitorDialog_->ShowTabs(true, false);
        else if (state == kSystemFaulted) monitorDialog_->ShowTabs(false, false);
        else monitorDialog_->ShowTabs(false, true);
    }
    uiState_ = state;
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

void TMainForm::ToolBarMenuClick() { toolBar_->setVisible(menu_.toolBar->isChecked()); }

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
    if (event->type() == kCommunicationFault) OnCommunicationFault();
    else if (event->type() == kBufferFull) OnBufferFull();
    else if (event->type() == kSystemFault) OnSystemFault();
    else QMainWindow::customEvent(event);
}

void TMainForm::OnCommunicationFault() {
    SetUiState(kNoDevice);
    ShowMessageBox(VELK_SJIS("通信異常です。\n\nﾒｲﾝﾒﾆｭｰの「ﾓﾆﾀｰ(M)」→「ｵﾌﾟｼｮﾝ(O)」で\n"
                             "ﾌﾟﾛﾄｺﾙﾓﾆﾀが接続されているﾎﾟｰﾄを選択してください。"),
                   VELK_SJIS("異常"), kIconError, kButtonsOk);
}

void TMainForm::OnBufferFull() {
    if (link_) link_->StopMonitor();
    SetUiState(kConnected);
    status_[0]->clear();
    ShowMessageBox(VELK_SJIS("記憶できる件数を超えました。"), VELK_SJIS("バッファフル"), kIconWarning,
                   kButtonsOk);
}

void TMainForm::OnSystemFault() {
    if (!link_) return;
    timer1_.stop();
    device_.reset();
    link_->Stop();
    link_.reset();
    SetUiState(kSystemFaulted);
    ShowModalDialog(*noResource_);
}

int TMainForm::ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) {
    QMessageBox box(this);
    box.setIcon(icon == kIconError     ? QMessageBox::Critical
                : icon == kIconWarning ? QMessageBox::Warning
                                       : QMessageBox::Information);
    box.setWindowTitle(QtText::FromCp932(caption));
    box.setText(QtText::FromCp932(text));
    box.setStandardButtons(buttons == kButtonsOk ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
    WindowPlacement::CentreOn(box, *this);
    return box.exec() == QMessageBox::Ok ? kResultOk : kResultCancel;
}

int TMainForm::ShowModalDialog(QDialog& dialog) {
    WindowPlacement::CentreOn(dialog, *this);
    return dialog.exec();
}

int64_t TMainForm::FreeDiskSpace() const { return FreeSpace::Bytes(store_.Logs().Folder()); }

void TMainForm::ShowFloatMessage(const std::string& text) { floatMessage_->ShowMessage(text, this); }

void TMainForm::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption, kIconError, kButtonsOk);
}

void TMainForm::ShowDeviceConnected(bool connected) { SetUiState(connected ? kConnected : kNoDevice); }

bool TMainForm::IsMonitoring() const { return !menu_.monitorStart->isEnabled(); }

void TMainForm::UncheckChannelInfo() { menu_.info->setChecked(false); }

// ---- Commands ----

void TMainForm::DetailMenuClick() {
    if (!menu_.view->menuAction()->isEnabled() || store_.Count() == 0) return;
    const int row = grid_->Row();
    if (row < 1) return;
    const size_t position = static_cast<size_t>(row - 1);
    if (position >= store_.Count()) return;
    if (!store_.At(position).CheckCrc()) {
        ShowMessageBox(VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"),
                       kIconWarning, kButtonsOk);
        return;
    }
    if (onOpenDetail) onOpenDetail(position);
}

void TMainForm::AboutMenuClick() {
    std::string identity;
    if (!device_ || !device_->AskIdentity(identity)) identity = VELK_SJIS("ﾌﾟﾛﾄｺﾙﾓﾆﾀは未接続状態です");
    aboutBox_->SetIdentity(identity);
    ShowModalDialog(*aboutBox_);
}

void TMainForm::StartMonitoring() {
    if (!device_ || !device_->IdentifyDevice(true)) return;
    MonitorOptions monitor;
    options_->GetMonitorOptions(monitor);
    ShowFileName(QString(), false);
    store_.Clear();
    store_.SetModes(monitor.ringBuffer != 0, monitor.logFile != 0);
    grid_->Heights().Invalidate();
    SyncListRows();
    grid_->RepaintAll();
    if (link_->StartMonitor()) {
        SetUiState(kMonitoring);
        status_[0]->setText(TEXT("Dchﾓﾆﾀｰ中"));
    }
}

void TMainForm::StopMonitoring() {
    if (!link_) return;
    if (link_->StopMonitor()) {
        SetUiState(kConnected);
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
        PaintAllVoiceLamps(display_.lampInactiveColour);
        ShowModes();
    }
    if (!link_ || !device_) return;
    if (link_->HasFailed()) {
        PostNotification(kSystemFault);
        return;
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

    if (menu_.info->isChecked()) {
        BChannelStatus status;
        if (device_->AskChannelStatus(status)) RepaintLamps(status);
    }
    if (monitor.voiceAutomatic) AutoVoiceMonitor();

    if (menu_.monitorStop->isEnabled()) {
        bool logBehind = false;
        TakeFrames(monitor, logBehind);
        RefreshList();
        if (monitor.ringBuffer && monitor.logFile) WatchLog(monitor, logBehind);
    } else {
        if (floatMessage_->isVisible()) floatMessage_->hide();
        if (thinning_ != 0) {
            thinning_ = 0;
            grid_->RepaintAll();
        }
        newFrames_ = false;
        lastRefresh_ = TickCount();
    }
}

void TMainForm::TakeFrames(const MonitorOptions& monitor, bool& logBehind) {
    FrameRecord work(FrameRecord::kRx);
    while (link_->PopFrame(work)) {
        newFrames_ = true;
        const int r = store_.Add(work, true);
        if (onFrameTaken) onFrameTaken(work);
        if (r != FrameStore::kStored && !monitor.ringBuffer) {
            menu_.monitorStop->setEnabled(false);
            PostNotification(kBufferFull);
            break;
        }
        if (!store_.LogKeepsUp()) {
            logBehind = true;
            break;
        }
    }
}

void TMainForm::RefreshList() {
    const uint32_t now = TickCount();
    const uint32_t elapsed = now - lastRefresh_;
    if (!(elapsed > kRefreshMs || (!newFrames_ && thinning_ != 0))) return;
    lastRefresh_ = now;
    if (!newFrames_) {
        if (thinning_ != 0) {
            thinning_ = 0;
            grid_->RepaintAll();
        }
        return;
    }
    newFrames_ = false;
    thinning_ = elapsed < 500 ? 0 : elapsed < 750 ? 2 : elapsed < 1000 ? 4 : 8;
    const size_t count = store_.Count();
    SyncListRows();
    if (count != FrameStore::kCapacity) {
        grid_->SetRowCount(static_cast<int>(count) + 1);
        grid_->SetRow(static_cast<int>(count));
    } else {
        grid_->RepaintAll();
    }
}

void TMainForm::WatchLog(const MonitorOptions& monitor, bool logBehind) {
    store_.WriteLog();
    const int64_t free = FreeDiskSpace();
    if (free < kDiskStopBytes) {
        if (store_.IsLogging()) {
            store_.SetModes(monitor.ringBuffer != 0, false);
            ShowFloatMessage(VELK_SJIS("ディスクの空きスペースが足りないので、ログファイルの収集を強制中断しました。"));
        }
    } else if (free < kDiskWarnBytes) {
        if (!floatMessage_->isVisible())
            ShowFloatMessage(VELK_SJIS("ディスクの空きスペースが足りません。このままモニターを続けると、"
                                       "ログファイルの収集を強制中断する可能性があります。"));
    } else if (logBehind && !floatMessage_->isVisible()) {
        store_.SetModes(monitor.ringBuffer != 0, false);
        ShowFloatMessage(VELK_SJIS("LOGファイルの作成が間に合わないので、ログファイルの収集を強制中断しました。"));
    }
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
}

void TMainForm::BuildCellText(FrameRecord& record, std::string& text, const DisplayOptions& options,
                              bool fcsGood) {
    RowText::BuildRowText(record, text, options, fcsGood);
}

void TMainForm::DrawGrid1DrawCell(QPainter& painter, int row, int column, const QRect& rect,
                                  bool selected) {
    if (!drawingEnabled_) return;
    if (thinning_ != 0 && row != 0 && row % thinning_ != 0) return;
    try {
        const int lineHeight = grid_->LineHeight();
        if (row == 0) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(rect.left() + 1, rect.top(), rect.width() - 1, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(column == 0 ? "TX" : "RX"));
            return;
        }
        const size_t position = static_cast<size_t>(row - 1);
        if (position >= store_.Count()) return;
        FrameRecord& record = store_.At(position);
        const int recordColumn = record.IsRx() ? 1 : 0;
        const bool fcsGood = record.CheckCrc();
        std::string text;
        BuildCellText(record, text, display_, fcsGood);
        // Both cells of a row take the same height.
        grid_->SetRowLines(row, 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
        if (column != recordColumn) return;

        uint32_t colour = selected ? kWhite : kBlack;
        std::string prefix;
        int k = 0;
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string_view line(text.data() + start, end - start);
            start = end + 1;
            if (line.empty()) continue;
            if (line.front() == ' ') {
                prefix.assign(line);
                continue;
            }
            if (k == 0 && colour == kBlack) colour = display_.firstLineColour;
            if (!fcsGood) colour = display_.errorColour;
            painter.setPen(ColourOf(colour));
            const QString shown = QtText::FromCp932(prefix + std::string(line));
            painter.drawText(QRect(rect.left() + 1, rect.top() + k * lineHeight, rect.width() - 1, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, shown);
            if (k == 0 && colour == display_.firstLineColour) colour = kBlack;
            ++k;
        }
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
    if (!menu_.info->isChecked()) {
        menu_.info->setChecked(true);
        lampPanel_->show();
        tracker_.Reset();
        InitVoiceLamps();
        if (link_) link_->RequestChannelStatus();
    } else {
        menu_.info->setChecked(false);
        lampPanel_->hide();
        if (device_) device_->SelectVoiceMonitor(0, 0);
    }
}

void TMainForm::RepaintLamps(const BChannelStatus& status) {
    DisplayOptions d;
    options_->GetDisplayOptions(d);
    for (int row = 0; row < 2; ++row) {
        const BChannelStatus::Direction& s = status.direction[row];
        for (int j = 0; j < TLampPanel::kChannels; ++j) {
            uint32_t colour = !s.lineNormal ? d.lampFaultColour
                              : s.bChannel[j] ? d.lampActiveColour
                                              : d.lampInactiveColour;
            lampPanel_->SetBLamp(row, j, colour);
        }
        lampPanel_->SetDLamp(row, s.dChannel ? d.lampActiveColour : d.lampInactiveColour);
    }
}

void TMainForm::InitVoiceLamps() {
    DisplayOptions d;
    MonitorOptions m;
    options_->GetDisplayOptions(d);
    options_->GetMonitorOptions(m);
    PaintAllVoiceLamps(d.lampInactiveColour);
    lampPanel_->SetVoiceClickable(m.voiceAutomatic == 0);
}

void TMainForm::PaintAllVoiceLamps(uint32_t colour) {
    for (int row = 0; row < 2; ++row)
        for (int j = 0; j < TLampPanel::kChannels; ++j) lampPanel_->SetVoiceLamp(row, j, colour);
}

void TMainForm::PaintVoiceLamp(int row, int index, uint32_t colour) {
    if (index < 0 || index >= TLampPanel::kChannels) return;
    lampPanel_->SetVoiceLamp(row, index, colour);
}

int TMainForm::SelectedVoiceLamp(int row) const {
    DisplayOptions d;
    options_->GetDisplayOptions(d);
    for (int j = 0; j < TLampPanel::kChannels; ++j)
        if (lampPanel_->VoiceLamp(row, j) == d.lampActiveColour) return j;
    return -1;
}

void TMainForm::VoiceLampClicked(int lamp, int row) {
    MonitorOptions m;
    DisplayOptions d;
    options_->GetMonitorOptions(m);
    options_->GetDisplayOptions(d);
    if (m.voiceAutomatic) return;
    if (lamp < 0 || lamp >= TLampPanel::kChannels) return;
    if (lampPanel_->VoiceLamp(row, lamp) != d.lampActiveColour) {
        const int selected = SelectedVoiceLamp(row);
        if (selected >= 0) PaintVoiceLamp(row, selected, d.lampInactiveColour);
        PaintVoiceLamp(row, lamp, d.lampActiveColour);
    } else {
        PaintVoiceLamp(row, lamp, d.lampInactiveColour);
    }
    const int tx = SelectedVoiceLamp(FrameRecord::kTx) + 1;
    const int rx = SelectedVoiceLamp(FrameRecord::kRx) + 1;
    if (!device_ || !device_->SelectVoiceMonitor(tx, rx)) PaintAllVoiceLamps(d.lampInactiveColour);
}

void TMainForm::AutoVoiceMonitor() {
    DisplayOptions d;
    options_->GetDisplayOptions(d);
    VoiceMonitorTracker::Lamps active{};
    for (int row = 0; row < 2; ++row)
        for (int j = 0; j < TLampPanel::kChannels; ++j)
            active[row][j] = lampPanel_->BLamp(row, j) == d.lampActiveColour;
    tracker_.Update(active);
    if (!tracker_.TakeChanged()) return;
    const int tx = tracker_.MostRecent(VoiceMonitorTracker::kTx);
    const int rx = tracker_.MostRecent(VoiceMonitorTracker::kRx);
    PaintAllVoiceLamps(d.lampInactiveColour);
    if (device_ && device_->SelectVoiceMonitor(tx, rx)) {
        if (tx > 0) PaintVoiceLamp(FrameRecord::kTx, tx - 1, d.lampActiveColour);
        if (rx > 0) PaintVoiceLamp(FrameRecord::kRx, rx - 1, d.lampActiveColour);
    }
}
