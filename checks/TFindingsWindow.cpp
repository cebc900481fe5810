#include "checks/TFindingsWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "calls/CallFeed.h"
#include "checks/FindingsCsv.h"
#include "checks/ProtocolChecker.h"
#include "search/GoToIndex.h"
#include "store/FrameStore.h"
#include "store/TraceText.h"
#include "ui/CsvSave.h"
#include "ui/DialogHost.h"
#include "ui/FrameListView.h"
#include "ui/LongListTable.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace {

// What a column's widest usual field looks like, for its width; the text
// takes what is left.
const char* const kSamples[FindingTable::kColumns] = {"000000", "00:00:00.000", "エラー", "STATUS-STATE", "000000", ""};

}  // namespace

TFindingsWindow::TFindingsWindow(DialogHost& dialogs, FrameListView& list, ProgramModel& model, CallFeed& feed,
                                 ProtocolChecker& checker)
    : QWidget(&dialogs.Owner(), Qt::Window),
      dialogs_(dialogs),
      list_(list),
      program_(model),
      feed_(feed),
      checker_(checker),
      model_(checker, feed, this) {
    QWidget& owner = dialogs.Owner();
    setWindowTitle(QtText::Literal("診断"));
    setWindowIcon(owner.windowIcon());
    setFont(WindowFonts::WindowFont());

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QtText::Literal("重要度"), this));
    severity_ = new QComboBox(this);
    severity_->addItem(QtText::Literal("すべて"));
    for (int s = 0; s < kSeverityCount; ++s) severity_->addItem(QtText::FromCp932(CheckKind::SeverityName(Severity(s))));
    bar->addWidget(severity_);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QtText::Literal("検査"), this));
    check_ = new QComboBox(this);
    check_->addItem(QtText::Literal("すべて"));
    for (int c = 0; c < kCheckCount; ++c) {
        check_->addItem(QtText::FromCp932(CheckKind::Name(Check(c))));
        check_->setItemData(c + 1, QString::fromLatin1(CheckKind::Code(Check(c))), Qt::ToolTipRole);
    }
    check_->setMaxVisibleItems(kCheckCount + 1);
    bar->addWidget(check_);
    bar->addStretch(1);
    save_ = new QPushButton(QtText::Literal("CSV保存"), this);
    bar->addWidget(save_);
    layout->addLayout(bar);

    table_ = LongListTable::Make(this, model_, QAbstractItemView::SingleSelection, FindingTable::kIndex);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    status_ = new QLabel(this);
    layout->addWidget(status_);
    FitColumns();

    connect(severity_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(check_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(save_, &QPushButton::clicked, this, [this] { SaveCsv(); });
    connect(table_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { OpenFinding(index.row()); });
    // A sort, a filter or a rebuild: the current finding stays current.
    connect(&model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        current_ = model_.Rows().NumberAt(static_cast<size_t>(table_->currentIndex().row()));
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        const int row = model_.RowOf(current_);
        if (row < 0) return;
        table_->selectRow(row);
        table_->scrollTo(model_.index(row, 0));
    });
    feed_.Follow(this, [this] { Ticked(); });
}

TFindingsWindow::~TFindingsWindow() { feed_.Unfollow(this); }

void TFindingsWindow::FitColumns() {
    const QFontMetrics list(table_->font());
    const QFontMetrics header(table_->horizontalHeader()->font());
    for (int column = 0; column + 1 < FindingTable::kColumns; ++column) {
        const int text = std::max(list.horizontalAdvance(QtText::Literal(kSamples[column])),
                                  header.horizontalAdvance(QtText::FromCp932(FindingTable::ColumnName(column))) + 16);
        table_->setColumnWidth(column, text + 12);
    }
}

void TFindingsWindow::Open() {
    model_.Rebuild();
    ShowStatus();
    WindowPlacement::ShowInFront(*this, dialogs_.Owner(), placed_);
}

void TFindingsWindow::Ticked() {
    // A hidden window builds its rows again when it opens.
    if (!isVisible()) return;
    QScrollBar* bar = table_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const uint64_t top = model_.Rows().NumberAt(static_cast<size_t>(bar->value()));
    model_.Follow();
    // Kept at the end, the newest findings stay in view; elsewhere the rows
    // in view stay there, whatever came before them.
    if (atEnd) {
        table_->scrollToBottom();
    } else if (const int row = model_.RowOf(top); row >= 0 && row != bar->value()) {
        bar->setValue(row);
    }
    ShowStatus();
}

void TFindingsWindow::ApplyFilter() {
    model_.SetFilter(severity_->currentIndex() - 1, check_->currentIndex() - 1);
    ShowStatus();
}

void TFindingsWindow::ShowStatus() {
    const FindingLog& log = checker_.Findings();
    std::string text = VELK_SJIS("表示 ") + std::to_string(model_.rowCount()) + VELK_SJIS("件");
    for (int s = 0; s < kSeverityCount; ++s)
        text += VELK_SJIS("　") + CheckKind::SeverityName(Severity(s)) + " " + std::to_string(log.CountOf(Severity(s)));
    const Layer2Check::Counts& frames = checker_.FrameCounts();
    const std::pair<const char*, uint64_t> kinds[] = {
        {"SABME", frames.sabme}, {"UA", frames.ua},   {"DISC", frames.disc}, {"DM", frames.dm},
        {"FRMR", frames.frmr},   {"REJ", frames.rej}, {"RNR", frames.rnr},
    };
    text += VELK_SJIS("　");
    for (const auto& [name, count] : kinds) text += VELK_SJIS("　") + name + " " + std::to_string(count);
    text += VELK_SJIS("　FCS異常 ") + std::to_string(frames.fcsErrors);
    const QString shown = QtText::FromCp932(text);
    if (status_->text() != shown) status_->setText(shown);
}

void TFindingsWindow::Tell(const std::string& text) {
    dialogs_.ShowMessageBox(text, VELK_SJIS("診断"), MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
}

void TFindingsWindow::OpenFinding(int row) {
    const Finding* finding = model_.FindingAt(row);
    if (!finding) return;
    if (feed_.RunOn()) {
        Tell(VELK_SJIS("モニター中はフレームを表示できません。\nモニターを終了してから選んでください。"));
        return;
    }
    // By INDEX: a ring buffer may have let the frame go, and positions move.
    const int64_t position = GoToIndex::Find(program_.Store(), static_cast<uint32_t>(finding->index));
    if (finding->index < 0 || position == GoToIndex::kNotFound) {
        Tell(VELK_SJIS("このフレーム(INDEX=") + TraceText::IndexText(finding->index) +
             VELK_SJIS(")はもう記憶されていません。"));
        return;
    }
    list_.SelectRow(static_cast<int>(position) + 1);
}

void TFindingsWindow::SaveCsv() {
    CsvSave::Run(*this, dialogs_, program_, checker_.Findings().Count(),
                 [this] { return FindingsCsv::Text(checker_.Findings()); });
}
