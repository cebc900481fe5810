#include "calls/TCallListWindow.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <ctime>

#include "base/Cp932.h"
#include "calls/CallCsv.h"
#include "calls/CallFeed.h"
#include "calls/CallReport.h"
#include "files/DetailEntrySource.h"
#include "calls/TLadderWindow.h"
#include "files/FdWriter.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "search/GoToIndex.h"
#include "search/SearchCommands.h"
#include "store/FrameStore.h"
#include "store/TraceText.h"
#include "ui/CsvSave.h"
#include "ui/DialogHost.h"
#include "ui/FileDialogs.h"
#include "ui/FrameListView.h"
#include "ui/LongListTable.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace {

// What a column's widest usual field looks like, for its width.
const char* const kSamples[CallCsv::kColumns] = {
    "000000", "000000", "000000", "0000", "00000", "000", "TX", "00:00:00.000", "000000000000", "0",
    "000000000000", "00+00", "000000", "000000", "0000000", "TX", "RELEASE COMPLETE", "000", "00",
    "ああああああああああああ", "不応答", "0", "000000",
};

// The result filter's entries: all, then each result in its own order.
const char* const kResults[] = {"全て", "完了", "拒否", "不応答", "放棄", "未解放", "継続中"};

}  // namespace

TCallListWindow::TCallListWindow(DialogHost& dialogs, FrameListView& list, ProgramModel& model, CallFeed& feed)
    : QWidget(&dialogs.Owner(), Qt::Window),
      dialogs_(dialogs),
      list_(list),
      program_(model),
      feed_(feed),
      model_(feed, MessageCatalogue::Program(), this) {
    QWidget& owner = dialogs.Owner();
    setWindowTitle(QtText::Literal("呼一覧"));
    setWindowIcon(owner.windowIcon());
    setFont(WindowFonts::WindowFont());

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QtText::Literal("結果"), this));
    result_ = new QComboBox(this);
    for (const char* name : kResults) result_->addItem(QtText::Literal(name));
    bar->addWidget(result_);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QtText::Literal("番号"), this));
    number_ = new QLineEdit(this);
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9#*]*")), number_));
    number_->setMaximumWidth(160);
    bar->addWidget(number_);
    bar->addStretch(1);
    ladderButton_ = new QPushButton(QtText::Literal("シーケンス図"), this);
    connect(ladderButton_, &QPushButton::clicked, this, [this] { ShowLadder(); });
    bar->addWidget(ladderButton_);
    save_ = new QPushButton(QtText::Literal("CSV保存"), this);
    bar->addWidget(save_);
    report_ = new QPushButton(QtText::Literal("呼レポート保存"), this);
    bar->addWidget(report_);
    layout->addLayout(bar);

    table_ = LongListTable::Make(this, model_, QAbstractItemView::ExtendedSelection, CallCsv::kNumber);
    layout->addWidget(table_, 1);

    summary_ = new QLabel(this);
    layout->addWidget(summary_);
    FitColumns();

    connect(result_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(number_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(save_, &QPushButton::clicked, this, [this] { SaveCsv(); });
    connect(report_, &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { OpenCall(index.row()); });
    // A sort or a filter builds the rows anew: the current call stays current.
    connect(&model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const CallListModel& rows = model_.Rows();
        current_ = rows.NumberAt(static_cast<size_t>(table_->currentIndex().row()));
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        const size_t row = model_.Rows().RowOf(current_);
        if (row == CallListModel::kNoRow) return;
        table_->selectRow(static_cast<int>(row));
        table_->scrollTo(model_.index(static_cast<int>(row), 0));
    });
    feed_.onTick = [this] { Ticked(); };
}

TCallListWindow::~TCallListWindow() { feed_.onTick = nullptr; }

void TCallListWindow::FitColumns() {
    const QFontMetrics list(table_->font());
    const QFontMetrics header(table_->horizontalHeader()->font());
    for (int column = 0; column < CallCsv::kColumns; ++column) {
        const int text = std::max(list.horizontalAdvance(QtText::Literal(kSamples[column])),
                                  header.horizontalAdvance(QtText::FromCp932(CallCsv::ColumnName(column))) + 16);
        table_->setColumnWidth(column, text + 12);
    }
}

void TCallListWindow::Open() {
    ReadColours();
    model_.Rebuild();
    ShowSummary();
    WindowPlacement::ShowInFront(*this, dialogs_.Owner(), placed_);
}

void TCallListWindow::Ticked() {
    // A hidden window builds its rows again when it opens.
    if (!isVisible()) return;
    ReadColours();
    QScrollBar* bar = table_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    model_.Follow();
    // Kept at the end, the newest calls stay in view.
    if (atEnd) table_->scrollToBottom();
    ShowSummary();
}

void TCallListWindow::ApplyFilter() {
    const int index = result_->currentIndex();
    model_.SetFilter(index <= 0 ? CallListModel::kAllResults : index - 1, number_->text().toStdString());
}

void TCallListWindow::ShowSummary() {
    const CallListModel& rows = model_.Rows();
    std::string text = VELK_SJIS("呼数 ") + std::to_string(rows.Calls());
    const CallRecord::Result counted[] = {CallRecord::kCompleted, CallRecord::kRejected, CallRecord::kNoAnswer,
                                          CallRecord::kAbandoned, CallRecord::kOngoing};
    for (CallRecord::Result result : counted)
        text += VELK_SJIS("　") + CallRecord::ResultName(result) + " " + std::to_string(rows.Count(result));
    const QString shown = QtText::FromCp932(text);
    if (summary_->text() != shown) summary_->setText(shown);
}

void TCallListWindow::ReadColours() {
    DisplayOptions options;
    program_.Options().GetDisplayOptions(options);
    model_.SetColours(options.firstLineColour, options.errorColour);
}

void TCallListWindow::Tell(const std::string& text) {
    dialogs_.ShowMessageBox(text, VELK_SJIS("呼一覧"), MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
}

void TCallListWindow::OpenCall(int row) {
    const CallRecord* call = model_.CallAt(row);
    if (!call) return;
    if (feed_.RunOn()) {
        Tell(VELK_SJIS("モニター中は呼のフレームを表示できません。\nモニターを終了してから選んでください。"));
        return;
    }
    // By INDEX: a ring buffer may have let the frame go, and positions move.
    const FrameStore& store = program_.Store();
    const int64_t position = GoToIndex::Find(store, static_cast<uint32_t>(call->firstIndex));
    if (call->firstIndex < 0 || position == GoToIndex::kNotFound) {
        Tell(VELK_SJIS("この呼の最初のフレーム(INDEX=") + TraceText::IndexText(call->firstIndex) +
             VELK_SJIS(")はもう記憶されていません。"));
        return;
    }
    list_.SelectRow(static_cast<int>(position) + 1);
    SearchCommands::ShowRelated(dialogs_, program_, static_cast<size_t>(position));
}

void TCallListWindow::SelectCall(uint64_t number) {
    Open();
    if (!feed_.Tracker().Find(number)) {
        Tell(VELK_SJIS("呼") + std::to_string(number) + VELK_SJIS("はもう保持されていません。"));
        return;
    }
    if (model_.Rows().RowOf(number) == CallListModel::kNoRow) {
        const QSignalBlocker quietResult(result_), quietNumber(number_);
        result_->setCurrentIndex(0);
        number_->clear();
        ApplyFilter();
    }
    const size_t row = model_.Rows().RowOf(number);
    if (row == CallListModel::kNoRow) return;
    table_->selectRow(static_cast<int>(row));
    table_->scrollTo(model_.index(static_cast<int>(row), 0));
}

void TCallListWindow::SaveCsv() {
    CsvSave::Run(*this, dialogs_, program_, feed_.Tracker().Count(),
                 [this] { return CallCsv::Text(feed_.Tracker(), MessageCatalogue::Program()); });
}

void TCallListWindow::SaveReport() {
    const CallRecord* call = model_.CallAt(table_->currentIndex().row());
    if (!call) {
        Tell(VELK_SJIS("レポートする呼を選んでください。"));
        return;
    }
    const uint64_t number = call->number;
    DisplayOptions options;
    program_.Options().GetDisplayOptions(options);
    const QString path = FileDialogs::AskSaveText(*this, SaveName::Proposed(options.uniqueFileName != 0));
    if (path.isEmpty()) return;
    // The dialog ran an event loop: the call and the options as they are now.
    call = feed_.Tracker().Find(number);
    if (!call) {
        Tell(VELK_SJIS("この呼はもう保持されていません。"));
        return;
    }
    program_.Options().GetDisplayOptions(options);
    MonitorOptions monitor;
    program_.Options().GetMonitorOptions(monitor);
    LadderCaptions captions;
    captions.Load(LadderCaptions::DefaultPath());
    const FrameStore& store = program_.Store();
    const std::string head =
        CallReport::Head(*call, CallReport::OriginOf(program_.FileName(), monitor.portIndex + 1, store),
                         std::time(nullptr), captions, MessageCatalogue::Program());
    ReplacingFile file(QFile::encodeName(path).toStdString());
    bool ok = file.Open();
    if (ok) {
        FdWriter writer(file.Fd());
        DetailEntrySource details(MessageCatalogue::Program());
        ok = CallReport::Write(head, *call, store, options, MessageCatalogue::Program(), details, writer) &&
             file.Commit();
    }
    if (!ok) {
        file.Abandon();
        dialogs_.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    }
}

void TCallListWindow::ShowLadder() {
    std::vector<const CallRecord*> calls;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows())
        if (const CallRecord* call = model_.CallAt(row.row())) calls.push_back(call);
    const CallRecord* current = model_.CallAt(table_->currentIndex().row());
    if (calls.empty() && current) calls.push_back(current);
    if (!ladder_) ladder_ = std::make_unique<TLadderWindow>(dialogs_, program_, feed_, LadderCaptions::DefaultPath());
    ladder_->Open(std::move(calls));
}
