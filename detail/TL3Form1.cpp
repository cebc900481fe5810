#include "detail/TL3Form1.h"

#include <QAction>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "decode/MessageCatalogue.h"
#include "detail/DetailEntryPainter.h"
#include "detail/DetailListBox.h"
#include "detail/DetailPagePlan.h"
#include "files/EntryExport.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "store/TraceText.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowFonts.h"

namespace {


constexpr int kScreenDpi = 96;  // the list font's pixel size is meant at this resolution

}  // namespace

TL3Form1::TL3Form1(QWidget& owner, const DisplayOptions& options, const FrameRecord& record)
    : QDialog(&owner),
      options_(options),
      entries_(record, options_, MessageCatalogue::Program()),
      caption_("INDEX=" + TraceText::IndexText(record.Index())) {
    setWindowIcon(owner.windowIcon());
    setWindowTitle(QtText::FromCp932(caption_));

    list_ = new DetailListBox(entries_.Entries(), options_, this);
    list_->setFont(WindowFonts::ListFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    auto* print = new QAction(VELK_UI_TEXT("印刷"), list_);
    auto* line = new QAction(list_);
    line->setSeparator(true);
    auto* save = new QAction(VELK_UI_TEXT("表示ｲﾒｰｼﾞ保存"), list_);
    connect(print, &QAction::triggered, this, &TL3Form1::PrintMenuClick);
    connect(save, &QAction::triggered, this, &TL3Form1::SaveImageMenuClick);
    list_->addActions({print, line, save});
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);

    WindowPlacement::CoverClientArea(*this, owner);
}

// The list reads the entries and options: it goes before they do.
TL3Form1::~TL3Form1() { delete list_; }

QPrinter& TL3Form1::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TL3Form1::PrintMenuClick() {
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setDocName(VELK_UI_TEXT("Velkscope詳細"));
    PrintEntries(printer);
}

void TL3Form1::PrintEntries(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The list's font at the same size on paper as on the screen.
    QFont font = list_->font();
    font.setPixelSize(list_->font().pixelSize() * printer.resolution() / kScreenDpi);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const std::vector<std::string>& entries = entries_.Entries();
    std::vector<int> heights;
    heights.reserve(entries.size());
    for (const std::string& entry : entries) heights.push_back(DetailEntryPainter::Height(metrics, entry));

    constexpr int kMargin = DetailPagePlan::kMargin;
    const int width = printer.width() - kMargin;
    const std::vector<size_t> starts = DetailPagePlan::PageStarts(heights, printer.height());
    size_t page = 0;
    int y = kMargin;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (page < starts.size() && starts[page] == i) {
            if (page != 0) printer.newPage();
            ++page;
            const std::string header = "ISDN monitor data" + VELK_SJIS("（詳細：") + caption_ + VELK_SJIS("）") +
                                       "  page " + std::to_string(page);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(kMargin, 10 + metrics.ascent()), QtText::FromCp932(header));
            y = kMargin;
        }
        painter.setBrush(Qt::white);
        painter.setPen(Qt::black);
        DetailEntryPainter::Paint(painter, entries[i], QRect(kMargin, y, width, heights[i]), options_, true);
        y += heights[i];
    }
    painter.end();
}

// The file is replaced only when all of it was written, so a full disk
// never leaves half a file where the old one stood.
void TL3Form1::SaveImageMenuClick() {
    const QString path = FileDialogs::AskSaveText(*this, SaveName::Proposed(options_.uniqueFileName != 0));
    if (path.isEmpty()) return;
    ReplacingFile file(QFile::encodeName(path).toStdString());
    const bool saved = file.Open() &&
                       EntryExport::WriteEntriesToFile(entries_.Entries(), options_.indent != 0, file.Fd()) &&
                       file.Commit();
    if (!saved)
        MessageBoxes::Show(*this, VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                           MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
}
