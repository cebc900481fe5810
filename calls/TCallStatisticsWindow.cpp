#include "calls/TCallStatisticsWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "base/Cp932.h"
#include "calls/BarChartView.h"
#include "calls/CallFeed.h"
#include "calls/CallStatisticsCsv.h"
#include "calls/ChannelTimelineView.h"
#include "store/FrameRecord.h"
#include "ui/CsvSave.h"
#include "ui/DialogHost.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace {

using Stats = CallStatistics;
using Rows = std::vector<QStringList>;

// The headers, as the CSV's.
const char* const kHeaders[TCallStatisticsWindow::kTables] = {
    "結果,件数", "理由,位置,切断側,理由名,件数", "着番号,件数,最小,中央値,95%,最大",
    "着番号,件数,最小,中央値,95%,最大", "日,時,件数", "チャネル,使用時間(ms),呼数",
};

QTableWidget* MakeTable(QWidget* parent, const char* header) {
    auto* table = new QTableWidget(parent);
    const QStringList names = QtText::Literal(header).split(',');
    table->setColumnCount(static_cast<int>(names.size()));
    table->setHorizontalHeaderLabels(names);
    QHeaderView* rows = table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// Cells kept where they are, their texts changed: a live table keeps its
// scroll position and selection.
void Fill(QTableWidget* table, const Rows& rows) {
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[size_t(r)].size()); ++c) {
            const QString& text = rows[size_t(r)][c];
            QTableWidgetItem* item = table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                bool number = false;
                text.toLongLong(&number);
                item->setTextAlignment((number || text.isEmpty() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
                table->setItem(r, c, item);
            }
            if (item->text() != text) item->setText(text);
        }
}

QString Number(int64_t n) { return QString::number(n); }

Rows GroupRows(const std::vector<Stats::Group>& groups) {
    Rows rows;
    for (const Stats::Group& g : groups) {
        QStringList row{QtText::FromCp932(g.name), Number(static_cast<int64_t>(g.figures.count))};
        for (int64_t v : {g.figures.min, g.figures.median, g.figures.p95, g.figures.max})
            row << (g.figures.count ? Number(v) : QString());
        rows.push_back(row);
    }
    return rows;
}

QString Hours(int64_t ms) {
    return QStringLiteral("%1:%2:%3")
        .arg(ms / 3'600'000)
        .arg(ms / 60'000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'));
}

// A table with its chart beside it.
QWidget* Beside(QWidget* parent, QTableWidget* table, BarChartView* chart) {
    auto* page = new QWidget(parent);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(table, 1);
    auto* scroll = new QScrollArea(page);
    scroll->setWidget(chart);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);
    layout->addWidget(scroll, 1);
    return page;
}

}  // namespace

TCallStatisticsWindow::TCallStatisticsWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed)
    : QWidget(&dialogs.Owner(), Qt::Window), dialogs_(dialogs), program_(model), feed_(feed) {
    QWidget& owner = dialogs.Owner();
    setWindowTitle(QtText::Literal("統計"));
    setWindowIcon(owner.windowIcon());
    setFont(WindowFonts::WindowFont());

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QtText::Literal("着番号の先頭(カンマ区切り)"), this));
    prefixes_ = new QLineEdit(this);
    prefixes_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9#*, ]*")), prefixes_));
    prefixes_->setMaximumWidth(240);
    bar->addWidget(prefixes_);
    bar->addSpacing(12);
    summary_ = new QLabel(this);
    bar->addWidget(summary_);
    bar->addStretch(1);
    save_ = new QPushButton(QtText::Literal("CSV保存"), this);
    bar->addWidget(save_);
    layout->addLayout(bar);

    for (int t = 0; t < kTables; ++t) tables_[t] = MakeTable(this, kHeaders[t]);
    for (BarChartView*& chart : charts_) chart = new BarChartView(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(Beside(tabs_, tables_[kResults], charts_[kResultChart]), QtText::Literal("結果"));
    tabs_->addTab(tables_[kCauses], QtText::Literal("切断理由"));
    auto* times = new QWidget(tabs_);
    auto* timesLayout = new QVBoxLayout(times);
    timesLayout->addWidget(new QLabel(QtText::Literal("SETUPからALERTINGまで(ms)"), times));
    timesLayout->addWidget(tables_[kToAlerting]);
    timesLayout->addWidget(new QLabel(QtText::Literal("通話時間(ms)"), times));
    timesLayout->addWidget(tables_[kTalk]);
    tabs_->addTab(times, QtText::Literal("呼出・通話時間"));
    tabs_->addTab(Beside(tabs_, tables_[kHours], charts_[kHourChart]), QtText::Literal("時間帯"));
    tabs_->addTab(Beside(tabs_, tables_[kChannels], charts_[kChannelChart]), QtText::Literal("チャネル"));
    layout->addWidget(tabs_, 1);

    connect(prefixes_, &QLineEdit::textChanged, this, [this] { Rebuild(); });
    connect(save_, &QPushButton::clicked, this, [this] { SaveCsv(); });
    feed_.Follow(this, [this] { Ticked(); });
}

TCallStatisticsWindow::~TCallStatisticsWindow() { feed_.Unfollow(this); }

void TCallStatisticsWindow::Open() {
    Rebuild();
    WindowPlacement::ShowInFront(*this, dialogs_.Owner(), placed_);
}

void TCallStatisticsWindow::Ticked() {
    // A hidden window counts again when it opens.
    if (!isVisible() || (feed_.Changed().empty() && feed_.Generation() == generation_)) return;
    Rebuild();
}

void TCallStatisticsWindow::Rebuild() {
    generation_ = feed_.Generation();
    statistics_.SetPrefixes(CallStatistics::PrefixesOf(prefixes_->text().toStdString()));
    statistics_.Build(feed_.Tracker());
    Show();
}

void TCallStatisticsWindow::Show() {
    const Stats& s = statistics_;
    summary_->setText(QtText::Literal("呼数 ") + Number(static_cast<int64_t>(s.Calls())));
    Rows rows;
    std::vector<BarChartView::Bar> bars;
    for (int r = 0; r < CallRecord::kResultCount; ++r) {
        const auto result = static_cast<CallRecord::Result>(r);
        const QString name = QtText::FromCp932(CallRecord::ResultName(result));
        const auto count = static_cast<int64_t>(s.ResultCount(result));
        rows.push_back({name, Number(count)});
        bars.push_back({name, double(count), Number(count), ChannelTimelineView::ResultColour(result)});
    }
    Fill(tables_[kResults], rows);
    charts_[kResultChart]->SetBars(std::move(bars));

    rows.clear();
    const MessageCatalogue& catalogue = MessageCatalogue::Program();
    for (const Stats::CauseRow& c : s.Causes())
        rows.push_back({Number(c.cause), Number(c.location),
                        c.side == FrameRecord::kTx ? QStringLiteral("TX") : QStringLiteral("RX"),
                        QtText::FromCp932(catalogue.Lookup(MessageCatalogue::IF_CA_CA, static_cast<uint8_t>(c.cause))),
                        Number(static_cast<int64_t>(c.count))});
    Fill(tables_[kCauses], rows);
    Fill(tables_[kToAlerting], GroupRows(s.ToAlerting()));
    Fill(tables_[kTalk], GroupRows(s.Talk()));

    rows.clear();
    bars.clear();
    for (const Stats::HourRow& h : s.Hours()) {
        const auto count = static_cast<int64_t>(h.count);
        rows.push_back({Number(h.day), Number(h.hour), Number(count)});
        QString label = QStringLiteral("%1").arg(h.hour, 2, 10, QLatin1Char('0')) + QtText::Literal("時");
        if (h.day > 0) label = QStringLiteral("+%1").arg(h.day) + QtText::Literal("日 ") + label;
        bars.push_back({label, double(count), Number(count), {}});
    }
    Fill(tables_[kHours], rows);
    charts_[kHourChart]->SetBars(std::move(bars));

    rows.clear();
    bars.clear();
    for (const Stats::ChannelRow& c : s.Channels()) {
        rows.push_back({Number(c.channel), Number(c.busyMs), Number(static_cast<int64_t>(c.calls))});
        bars.push_back({QStringLiteral("B%1").arg(c.channel), double(c.busyMs), Hours(c.busyMs), {}});
    }
    Fill(tables_[kChannels], rows);
    charts_[kChannelChart]->SetBars(std::move(bars));
}

void TCallStatisticsWindow::SaveCsv() {
    // The figures as they are once the dialog closed.
    CsvSave::Run(*this, dialogs_, program_, feed_.Tracker().Count(), [this] {
        Rebuild();
        return CallStatisticsCsv::Text(statistics_, MessageCatalogue::Program());
    });
}
