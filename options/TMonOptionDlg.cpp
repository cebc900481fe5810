#include "options/TMonOptionDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "ui/OkCancelButtons.h"
#include "ui/WindowFonts.h"

TMonOptionDlg::TMonOptionDlg(std::vector<int> ports, QWidget* parent)
    : QDialog(parent), editor_(std::move(ports)) {
    setWindowTitle(QtText::Literal("ﾓﾆﾀｰｵﾌﾟｼｮﾝ"));
    setFont(WindowFonts::WindowFont());
    tabs_ = new QTabWidget(this);

    auto* portTab = new QWidget;
    auto* portForm = new QFormLayout(portTab);
    port_ = new QComboBox(portTab);
    for (const std::string& name : editor_.PortNames()) port_->addItem(QtText::FromCp932(name));
    connect(port_, &QComboBox::currentIndexChanged, this, [this](int row) { editor_.SelectPort(row); });
    portForm->addRow(QtText::Literal("ポート"), port_);
    tabs_->addTab(portTab, QtText::Literal("通信設定"));

    auto* clockTab = new QWidget;
    auto* clockForm = new QFormLayout(clockTab);
    clock_ = new QLabel(QStringLiteral("NowTime"), clockTab);
    clockForm->addRow(QtText::Literal("RQ-730の時刻"), clock_);
    clockEdit_ = new QLineEdit(QStringLiteral("00:00:00"), clockTab);
    clockEdit_->setMaxLength(8);
    set_ = new QPushButton(QtText::Literal("設定"), clockTab);
    connect(set_, &QPushButton::clicked, this, &TMonOptionDlg::SetButtonClick);
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(clockEdit_);
    setRow->addWidget(set_);
    clockForm->addRow(QtText::Literal("設定する時刻"), setRow);
    tabs_->addTab(clockTab, QStringLiteral("RQ-730"));

    auto* otherTab = new QWidget;
    auto* otherLayout = new QVBoxLayout(otherTab);
    voice_ = new QCheckBox(QtText::Literal("音声ﾓﾆﾀ自動"), otherTab);
    ring_ = new QCheckBox(QtText::Literal("ﾘﾝｸﾞﾊﾞｯﾌｧ"), otherTab);
    log_ = new QCheckBox(QtText::Literal("ﾛｸﾞﾌｧｲﾙ"), otherTab);
    connect(voice_, &QCheckBox::toggled, this, [this](bool on) { editor_.SetVoiceAutomatic(on); });
    connect(ring_, &QCheckBox::toggled, this, [this](bool on) {
        editor_.SetRingBuffer(on);
        log_->setEnabled(editor_.LogFileEnabled());
    });
    connect(log_, &QCheckBox::toggled, this, [this](bool on) { editor_.SetLogFile(on); });
    otherLayout->addWidget(voice_);
    otherLayout->addWidget(ring_);
    otherLayout->addWidget(log_);
    otherLayout->addStretch();
    tabs_->addTab(otherTab, QtText::Literal("その他"));
    tabs_->setCurrentIndex(kPortTab);

    QDialogButtonBox* box = OkCancelButtons::Make(*this, &ok_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(box);
    ShowAll();
}

void TMonOptionDlg::Load(const MonitorOptions& record) {
    editor_.Load(record);
    ShowAll();
}

void TMonOptionDlg::Store(MonitorOptions& record) const { editor_.Store(record); }

void TMonOptionDlg::ShowAll() {
    const QSignalBlocker blockPort(port_), blockVoice(voice_), blockRing(ring_), blockLog(log_);
    port_->setCurrentIndex(editor_.PortSelection());
    voice_->setChecked(editor_.VoiceAutomatic());
    ring_->setChecked(editor_.RingBuffer());
    log_->setChecked(editor_.LogFile());
    log_->setEnabled(editor_.LogFileEnabled());
}

void TMonOptionDlg::ShowDeviceClock(const TimeStamp& time) {
    clock_->setText(QString::fromStdString(time.FormatClock()));
}

void TMonOptionDlg::ShowTabs(bool portTab, bool clockTab) {
    editor_.ShowTabs(portTab, clockTab);
    tabs_->setTabVisible(kPortTab, portTab);
    tabs_->setTabVisible(kClockTab, clockTab);
}

void TMonOptionDlg::done(int result) {
    editor_.DropClockRequest();
    QDialog::done(result);
}

void TMonOptionDlg::SetButtonClick() {
    if (editor_.RequestClock(QtText::ToCp932(clockEdit_->text())) || !onBadClock) return;
    onBadClock(VELK_SJIS("時刻の設定が不整です。\nhh:mm:ss と入力してください。\n[hh=時、mm=分、ss=秒]"),
               VELK_SJIS("時刻"));
}
