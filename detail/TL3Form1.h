#pragma once
// The detail window: the full decode of one frame, octet by octet, in a list
// that draws the entries itself, with printing and a text save of its own.
// Built per frame and shown modally by its owner.
#include <QDialog>

#include <memory>
#include <string>

#include "decode/DetailEntries.h"
#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class DetailListBox;
class QPrinter;

class TL3Form1 : public QDialog {
    Q_OBJECT
public:
    // Builds the entries of record and lays the window over the owner's
    // client area; the record is not needed after this.
    TL3Form1(QWidget& owner, const DisplayOptions& options, const FrameRecord& record);
    ~TL3Form1() override;

    size_t EntryCount() const { return entries_.EntryCount(); }
    // "" past the last entry.
    const std::string& EntryText(size_t i) const { return entries_.EntryText(i); }
    DetailListBox* ListBox1() const { return list_; }
    // The printer the print command asks about and prints on.
    QPrinter& Printer();

    // The popup menu's commands: "印刷" and "表示ｲﾒｰｼﾞ保存".
    void PrintMenuClick();
    void SaveImageMenuClick();

private:
    void PrintEntries(QPrinter& printer);

    DisplayOptions options_;  // the window's own copy: drawing reads it
    DetailEntries entries_;
    std::string caption_;     // "INDEX=..." (CP932)
    DetailListBox* list_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};
