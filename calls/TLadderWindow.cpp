#include "calls/TLadderWindow.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>

#include "base/Cp932.h"
#include "calls/CallFeed.h"
#include "calls/LadderView.h"
#include "calls/TLadderCaptionsDlg.h"
#include "files/FdWriter.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "print/PaperFont.h"
#include "search/GoToIndex.h"
#include "store/FrameStore.h"
#include "store/TraceText.h"
#include "ui/DialogHost.h"
#include "ui/FileDialogs.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace {

QScrollArea* Area(LadderView* view, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidget(view);
    area->setBackgroundRole(QPalette::Base);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

}  // namespace

TLadderWindow::TLadderWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed, std::string captionsPath)
    : QWidget(&dialogs.Owner(), Qt::Window),
      dialogs_(dialogs),
      program_(model),
      feed_(feed),
      captionsPath_(std::move(captionsPath)),
      model_(MessageCatalogue::Program()),
      picture_(WindowFonts::ListFont()) {
    setWindowIcon(dialogs.Owner().windowIcon());
    setFont(WindowFonts::WindowFont());

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    const char* names[4] = {"表示名", "PNG保存", "SVG保存", "印刷"};
    void (TLadderWindow::*actions[4])() = {&TLadderWindow::EditCaptions, &TLadderWindow::SavePng,
                                           &TLadderWindow::SaveSvg, &TLadderWindow::Print};
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QPushButton(QtText::Literal(names[i]), this);
        connect(buttons_[i], &QPushButton::clicked, this, actions[i]);
        bar->addWidget(buttons_[i]);
        if (i == 0) bar->addSpacing(12);
    }
    bar->addStretch(1);
    layout->addLayout(bar);

    // The head stays above the rows as they scroll up and down, and follows them sideways.
    head_ = new LadderView(picture_, LadderView::kHead, this);
    rows_ = new LadderView(picture_, LadderView::kRows, this);
    headArea_ = Area(head_, this);
    rowArea_ = Area(rows_, this);
    headArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    headArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* headRow = new QHBoxLayout;
    headRow->setSpacing(0);
    headRow->addWidget(headArea_, 1);
    headRow->addSpacing(rowArea_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, rowArea_));
    layout->setSpacing(0);
    layout->addSpacing(6);
    layout->addLayout(headRow);
    layout->addWidget(rowArea_, 1);
    connect(rowArea_->horizontalScrollBar(), &QScrollBar::valueChanged, headArea_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(rows_, &LadderView::ArrowClicked, this, &TLadderWindow::OpenArrow);
}

TLadderWindow::~TLadderWindow() = default;

void TLadderWindow::Tell(const std::string& text) {
    dialogs_.ShowMessageBox(text, VELK_SJIS("シーケンス図"), MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
}

void TLadderWindow::Open(std::vector<const CallRecord*> calls) {
    if (calls.empty()) {
        Tell(feed_.Tracker().Count() == 0 ? VELK_SJIS("表示する呼はありません。")
                                          : VELK_SJIS("シーケンス図を表示する呼を選んでください。"));
        return;
    }
    if (calls.size() > kMaxCalls) {
        Tell(VELK_SJIS("シーケンス図に表示できる呼は") + std::to_string(kMaxCalls) + VELK_SJIS("件までです。"));
        return;
    }
    // Colours in the order of the calls' numbers, however the list was sorted.
    std::sort(calls.begin(), calls.end(),
              [](const CallRecord* a, const CallRecord* b) { return a->number < b->number; });
    model_.Clear();
    std::string numbers;
    for (const CallRecord* call : calls) {
        model_.Add(*call);
        numbers += (numbers.empty() ? "#" : ",#") + std::to_string(call->number);
    }
    generation_ = feed_.Generation();
    captions_.Load(captionsPath_);
    setWindowTitle(QtText::FromCp932(VELK_SJIS("シーケンス図 - 呼") + numbers));
    Redraw();
    if (!placed_) {
        placed_ = true;
        const QWidget& owner = dialogs_.Owner();
        const int width = picture_.Width() + rowArea_->verticalScrollBar()->sizeHint().width() + 24;
        resize(std::min(std::max(width, 480), std::max(owner.width(), 480)), std::max(owner.height(), 400));
        WindowPlacement::CentreOn(*this, owner);
    }
    rowArea_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

void TLadderWindow::Redraw() {
    picture_.Set(model_, captions_.tx, captions_.rx);
    head_->Fit();
    rows_->Fit();
    headArea_->setFixedHeight(picture_.Layout().HeadHeight());
}

void TLadderWindow::OpenArrow(size_t arrow) {
    const auto& arrows = model_.Arrows();
    if (arrow >= arrows.size() || arrows[arrow].gap) return;
    const int32_t index = arrows[arrow].index;
    if (feed_.RunOn()) {
        Tell(VELK_SJIS("モニター中はフレームの詳細を表示できません。\nモニターを終了してから選んでください。"));
        return;
    }
    // By INDEX: a ring buffer may have let the frame go, and positions
    // move; after a new run or a load the same INDEX is another frame.
    const FrameStore& store = program_.Store();
    const int64_t position = index < 0 || feed_.Generation() != generation_
                                 ? GoToIndex::kNotFound
                                 : GoToIndex::Find(store, static_cast<uint32_t>(index));
    if (position == GoToIndex::kNotFound) {
        Tell(VELK_SJIS("このフレーム(INDEX=") + TraceText::IndexText(index) + VELK_SJIS(")はもう記憶されていません。"));
        return;
    }
    DisplayOptions options;
    program_.Options().GetDisplayOptions(options);
    dialogs_.ShowDetailWindow(*this, options, store.At(static_cast<size_t>(position)));
}

void TLadderWindow::EditCaptions() {
    TLadderCaptionsDlg dialog(dialogs_, captions_, this);
    if (dialogs_.ShowModalDialog(dialog) != QDialog::Accepted) return;
    captions_ = dialog.Captions();
    Redraw();
    if (captions_.Save(captionsPath_) != LadderCaptions::kSaved)
        dialogs_.ShowMessageBox(VELK_SJIS("表示名を保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}

std::string TLadderWindow::ProposedName() const {
    DisplayOptions options;
    program_.Options().GetDisplayOptions(options);
    return SaveName::Proposed(options.uniqueFileName != 0);
}

void TLadderWindow::SavePng() {
    const QString path = FileDialogs::AskSavePng(*this, ProposedName());
    if (path.isEmpty()) return;
    QImage image(picture_.Width(), picture_.Height(), QImage::Format_RGB32);
    QByteArray bytes;
    // A picture too large for the memory leaves the image null: nothing to write.
    if (!image.isNull()) {
        QPainter painter(&image);
        picture_.PaintAll(painter);
        painter.end();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) bytes.clear();
    }
    Write(path, bytes);
}

void TLadderWindow::SaveSvg() {
    const QString path = FileDialogs::AskSaveSvg(*this, ProposedName());
    if (path.isEmpty()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(PaperFont::kScreenDpi);
    svg.setSize(QSize(picture_.Width(), picture_.Height()));
    svg.setViewBox(QRect(0, 0, picture_.Width(), picture_.Height()));
    svg.setTitle(windowTitle());
    QPainter painter;
    if (painter.begin(&svg)) {
        picture_.PaintAll(painter);
        painter.end();
    }
    Write(path, bytes);
}

// The file is replaced only when all of it was written.
void TLadderWindow::Write(const QString& path, const QByteArray& bytes) {
    ReplacingFile file(QFile::encodeName(path).toStdString());
    bool ok = !bytes.isEmpty() && file.Open();
    if (ok) {
        FdWriter writer(file.Fd());
        writer.Buffer().assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        ok = writer.Flush() && file.Commit();
    }
    if (!ok) {
        file.Abandon();
        dialogs_.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    }
}

QPrinter& TLadderWindow::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a printer installed Qt prints into a PDF file: one is named
        // from the start, so OK alone prints too.
        if (printer_->outputFormat() == QPrinter::PdfFormat && printer_->outputFileName().isEmpty())
            printer_->setOutputFileName(QDir::home().filePath(QStringLiteral("ladder.pdf")));
    }
    return *printer_;
}

QString TLadderWindow::PageTitle(int page) const {
    std::string numbers;
    for (uint64_t call : picture_.Calls()) numbers += (numbers.empty() ? "#" : ",#") + std::to_string(call);
    return QtText::FromCp932("ISDN monitor data" + VELK_SJIS("（シーケンス図：呼") + numbers + VELK_SJIS("）") +
                             "  page " + std::to_string(page));
}

double TLadderWindow::PrintScale(QPrinter& printer) const {
    const double onPaper = double(printer.resolution()) / PaperFont::kScreenDpi;
    const double fit = double(printer.width() - 2 * kPaperMargin) / std::max(1, picture_.Width());
    return std::max(0.01, std::min(onPaper, fit));
}

std::vector<LadderLayout::Span> TLadderWindow::PrintedPages(QPrinter& printer) const {
    // Every page shows the head above its rows.
    const int rows = int((printer.height() - 2 * kPaperMargin) / PrintScale(printer)) - picture_.Layout().HeadHeight();
    return picture_.Layout().Pages(std::max(1, rows));
}

void TLadderWindow::Print() {
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setDocName(VELK_UI_TEXT("Velkscopeシーケンス図"));
    PrintPages(printer);
}

void TLadderWindow::PrintPages(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.ShowMessageBox(VELK_SJIS("印刷できませんでした。"), VELK_SJIS("印刷"), MessageBoxes::kIconError,
                               MessageBoxes::kButtonsOk);
        return;
    }
    const std::vector<LadderLayout::Span> pages = PrintedPages(printer);
    int first = 1, last = static_cast<int>(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = std::min(last, printer.toPage());
    }
    const QFont title = PaperFont::ForPrinter(picture_.Font(), printer);
    const double scale = PrintScale(printer);
    const LadderLayout& layout = picture_.Layout();
    for (int page = first; page <= last; ++page) {
        if (page > first) printer.newPage();
        painter.setFont(title);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(kPaperMargin, 10 + painter.fontMetrics().ascent()), PageTitle(page));
        const LadderLayout::Span rows = pages[static_cast<size_t>(page - 1)];
        painter.save();
        painter.translate(kPaperMargin, kPaperMargin);
        painter.scale(scale, scale);
        picture_.PaintHead(painter);
        if (rows.end > rows.first) {
            painter.translate(0, layout.HeadHeight() - layout.RowAt(rows.first).top);
            picture_.PaintRows(painter, rows);
        }
        painter.restore();
    }
    painter.end();
}
