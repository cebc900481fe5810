#pragma once
// The ladder window "シーケンス図": the messages of one or more calls of the
// call list as arrows between the TX and RX lifelines in time order, one
// colour per call. A click on an arrow opens its frame's detail window when
// the frame is still stored and no run is on; otherwise a box says why
// not. "表示名" names the lifelines (kept in the captions file at once),
// "PNG保存" and "SVG保存" write the picture, "印刷" prints it on as many
// pages as it takes. What it shows is a copy: the calls may change or go
// meanwhile. Modeless, made once and reused.
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calls/LadderCaptions.h"
#include "calls/LadderModel.h"
#include "calls/LadderPicture.h"

class CallFeed;
class DialogHost;
class LadderView;
class ProgramModel;
class QPainter;
class QPrinter;
class QPushButton;
class QScrollArea;
struct CallRecord;

class TLadderWindow : public QWidget {
    Q_OBJECT
public:
    // One colour each.
    static constexpr size_t kMaxCalls = LadderPicture::kColours;
    static constexpr int kPaperMargin = 150;  // printer units

    // captionsPath names the captions file.
    TLadderWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed, std::string captionsPath);
    ~TLadderWindow() override;

    // The ladder of these calls, shown in front; with none, or more than
    // kMaxCalls, a box says so instead.
    void Open(std::vector<const CallRecord*> calls);
    // The detail window of an arrow's frame, or the box that says why not.
    void OpenArrow(size_t arrow);
    // "表示名": the captions asked for, saved and drawn.
    void EditCaptions();
    void SavePng();
    void SaveSvg();
    // "印刷": the print dialog, then the pages.
    void Print();
    // Made on first use and kept; a test may point it at a PDF file.
    QPrinter& Printer();
    // The header line of a printed page.
    QString PageTitle(int page) const;
    // The pages the printer takes.
    std::vector<LadderLayout::Span> PrintedPages(QPrinter& printer) const;

    const LadderModel& Model() const { return model_; }
    const LadderPicture& Picture() const { return picture_; }
    const LadderCaptions& Captions() const { return captions_; }
    LadderView* Rows() { return rows_; }
    QScrollArea* RowArea() { return rowArea_; }
    QPushButton* CaptionsButton() { return buttons_[0]; }
    QPushButton* PngButton() { return buttons_[1]; }
    QPushButton* SvgButton() { return buttons_[2]; }
    QPushButton* PrintButton() { return buttons_[3]; }

private:
    void Redraw();
    void PrintPages(QPrinter& printer);
    // Picture units to printer units: the list font's size on paper, smaller when the picture is wider than the page.
    double PrintScale(QPrinter& printer) const;
    void Write(const QString& path, const QByteArray& bytes);
    std::string ProposedName() const;
    void Tell(const std::string& text);

    DialogHost& dialogs_;
    ProgramModel& program_;
    CallFeed& feed_;
    std::string captionsPath_;
    LadderCaptions captions_;
    LadderModel model_;
    LadderPicture picture_;
    uint64_t generation_ = 0;  // the feed's when the calls were copied
    LadderView* head_ = nullptr;
    LadderView* rows_ = nullptr;
    QScrollArea* headArea_ = nullptr;
    QScrollArea* rowArea_ = nullptr;
    QPushButton* buttons_[4] = {};
    std::unique_ptr<QPrinter> printer_;
    bool placed_ = false;
};
