#include "calls/TChannelTimelineWindow.h"

#include <QBuffer>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "calls/CallFeed.h"
#include "calls/ChannelTimelineView.h"
#include "calls/TimeAxis.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "ui/DialogHost.h"
#include "ui/FileDialogs.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace {

QString SpanEnd(int64_t ms) {
    const int64_t day = ms >= 0 ? ms / TimeAxis::kDayMs : -1;
    QString text = QString::fromStdString(TimeAxis::Label(ms, true));
    if (day > 0) text += QStringLiteral("(+%1").arg(day) + QtText::Literal("日)");
    return text;
}

}  // namespace

TChannelTimelineWindow::TChannelTimelineWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed)
    : QWidget(&dialogs.Owner(), Qt::Window), dialogs_(dialogs), program_(model), feed_(feed) {
    QWidget& owner = dialogs.Owner();
    setWindowTitle(QtText::Literal("チャネル使用状況"));
    setWindowIcon(owner.windowIcon());
    setFont(WindowFonts::WindowFont());

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    span_ = new QLabel(this);
    bar->addWidget(span_);
    bar->addStretch(1);
    bar->addWidget(new QLabel(QtText::Literal("Ctrl+ホイール、+/-: 拡大縮小"), this));
    bar->addSpacing(12);
    whole_ = new QPushButton(QtText::Literal("全体"), this);
    bar->addWidget(whole_);
    save_ = new QPushButton(QtText::Literal("PNG保存"), this);
    bar->addWidget(save_);
    layout->addLayout(bar);

    view_ = new ChannelTimelineView(this);
    layout->addWidget(view_, 1);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    layout->addWidget(scroll_);
    view_->SetData(timeline_, feed_.Tracker());

    connect(view_, &ChannelTimelineView::ViewMoved, this, [this] { ShowView(); });
    connect(view_, &ChannelTimelineView::CallClicked, this, [this](uint64_t call) {
        if (onCallClicked) onCallClicked(call);
    });
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (value == view_->Viewport().ScrollValue()) return;
        view_->Viewport().SetScrollValue(value);
        view_->update();
        ShowView();
    });
    connect(whole_, &QPushButton::clicked, this, [this] {
        view_->Viewport().ShowAll();
        view_->Rebuilt();
    });
    connect(save_, &QPushButton::clicked, this, [this] { SavePng(); });
    feed_.Follow(this, [this] { Ticked(); });
}

TChannelTimelineWindow::~TChannelTimelineWindow() { feed_.Unfollow(this); }

void TChannelTimelineWindow::Open() {
    Rebuild();
    WindowPlacement::ShowInFront(*this, dialogs_.Owner(), placed_);
    view_->setFocus();
}

void TChannelTimelineWindow::Ticked() {
    // A hidden window builds its timeline again when it opens.
    if (!isVisible()) return;
    const RestartLog& restarts = feed_.Restarts();
    const int32_t last = restarts.Count() ? restarts.At(restarts.Count() - 1).index : -1;
    if (feed_.Changed().empty() && feed_.Generation() == generation_ && restarts.Count() == restarts_ &&
        last == lastRestart_)
        return;
    Rebuild();
}

void TChannelTimelineWindow::Rebuild() {
    const RestartLog& restarts = feed_.Restarts();
    generation_ = feed_.Generation();
    restarts_ = restarts.Count();
    lastRestart_ = restarts_ ? restarts.At(restarts_ - 1).index : -1;
    timeline_.Build(feed_.Tracker(), restarts);
    view_->Rebuilt();
}

void TChannelTimelineWindow::ShowView() {
    const TimelineViewport& v = view_->Viewport();
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(0, v.ScrollMaximum());
    scroll_->setPageStep(v.ScrollPage());
    scroll_->setSingleStep(std::max(1, v.ScrollPage() / 10));
    scroll_->setValue(v.ScrollValue());
    span_->setText(QtText::Literal("表示 ") + SpanEnd(v.FromMs()) + QtText::Literal(" ～ ") + SpanEnd(v.ToMs()));
}

void TChannelTimelineWindow::SavePng() {
    // The picture as it is now: the dialog does not wait for the next tick.
    const QImage picture = view_->grab().toImage();
    DisplayOptions options;
    program_.Options().GetDisplayOptions(options);
    const QString path = FileDialogs::AskSavePng(*this, SaveName::Proposed(options.uniqueFileName != 0));
    if (path.isEmpty()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool ok = picture.save(&buffer, "PNG") &&
                    ReplacingFile::Write(QFile::encodeName(path).toStdString(), {bytes.constData(), size_t(bytes.size())});
    if (!ok)
        dialogs_.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}
