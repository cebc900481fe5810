// 印刷 over a fake window into PDF files read back with pdftotext: the
// settings dialog's count and fields, the whole store, pages 2 to 3 of 5 and
// copies chosen in the print dialog, the next job's fresh start, failures
// and a cancel.
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "print/PrintCommand.h"
#include "print/TPrintSettingDlg.h"
#include "print/TPrintingForm.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeWindow.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

// Acts on the settings dialog once its count (buttons off) has ended.
static void WhenCounted(TPrintSettingDlg& d, const std::function<void(TPrintSettingDlg&)>& act) {
    if (d.CancelButton()->isEnabled()) act(d);
    else QTimer::singleShot(10, &d, [&d, act] { WhenCounted(d, act); });
}
// Presses button 0 OK, 1 ｷｬﾝｾﾙ or 2 詳細設定 after the count, keeping the fields shown.
static DialogDriver::Step Press(int button, QStringList* fields = nullptr) {
    return [=](QDialog& dialog) {
        WhenCounted(static_cast<TPrintSettingDlg&>(dialog), [=](TPrintSettingDlg& d) {
            for (int i = 0; fields && i < 6; ++i) *fields << d.Field(i)->text();
            QPushButton* buttons[] = {d.OkButton(), d.CancelButton(), d.SetupButton()};
            buttons[button]->click();
        });
    };
}
// The print dialog: pages from .. to, copies, collation, and the file the
// test named (the dialog keeps the name it was first shown with).
static DialogDriver::Step Choose(int from, int to, int copies, bool collate) {
    return [=](QDialog& d) {
        d.findChild<QLineEdit*>("filename")->setText(static_cast<QPrintDialog&>(d).printer()->outputFileName());
        d.findChild<QAbstractButton*>("printRange")->setChecked(true);
        for (auto [name, value] : {std::pair{"from", from}, {"to", to}, {"copies", copies}})
            d.findChild<QSpinBox*>(name)->setValue(value);
        d.findChild<QAbstractButton*>("collate")->setChecked(collate);
        d.accept();
    };
}

// A4 at 1200 dpi is 13699 units high inside Qt's margins and a line of the
// 150-unit IPAGothic 161: rows stand while y + 161 < 13699 - 80, so 84
// one-line frames make a page and 356 frames five pages.
TEST(PrintCommand, PrintsPagesCopiesAndStopsOnCancel) {
    TempFolder dir;
    FakeWindow window(dir.Slash());
    PrintCommand command(window, window, window);
    QPrinter& printer = command.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    // Prints into name.pdf with the dialogs answered; the text of each page from its header on.
    auto print = [&](const std::string& name, std::vector<DialogDriver::Step> steps) {
        printer.setOutputFileName(QString::fromStdString(dir.Slash() + name + ".pdf"));
        DialogDriver driver(std::move(steps));
        command.PrintMenuClick();
        const std::string file = dir.Slash() + name;
        std::system(("pdftotext -raw " + file + ".pdf " + file + ".txt 2>/dev/null").c_str());
        std::vector<std::string> pages;
        const std::string text = ReadFile(file + ".txt");
        for (size_t at = 0, end; (end = text.find('\f', at)) != std::string::npos; at = end + 1)
            pages.push_back(text.substr(at, text.find(" TIME=", at) - at));
        return pages;
    };
    command.PrintMenuClick();
    EXPECT_EQ(window.boxes.at(0).text + window.boxes.at(0).caption, Sjis("印刷するデータはありません。印刷"));
    window.options.SetDisplayOptions(Columns({RowText::kIndex, RowText::kTime, RowText::kLayer3Message}));
    const FrameRecord kinds[] = {Q931Frame(0x05, {0x18, 0x03, 0xA9, 0x83, 0x81}),
                                 FcsFrame({0x02, 0x01, 0x01, 0x05}, FrameRecord::kRx),
                                 FcsFrame({0x00, 0x01, 0x7F}, FrameRecord::kTx, false)};
    for (FrameRecord r = kinds[0]; window.store.Count() < 356; r = kinds[window.store.Count() % 3])
        window.store.Add(r, true);

    QStringList fields;
    const auto head = [](int page, const char* index) {
        return "ISDN monitor data page " + std::to_string(page) + "\nINDEX=" + index;
    };
    const std::string p2 = head(2, "000084"), p3 = head(3, "000168");
    EXPECT_EQ(print("whole", {Press(0, &fields)}),
              (std::vector{head(1, "000000"), p2, p3, head(4, "000252"), head(5, "000336")}));
    const std::string pdf = dir.Slash() + "whole.pdf";
    EXPECT_EQ(fields, (QStringList{"5", "1", "5", "1", "000000～000355", QString::fromStdString(pdf)}));
    EXPECT_EQ(std::system(("pdfinfo " + pdf + " | grep -q '^Title: *ISDNﾓﾆﾀｰ$'").c_str()), 0);
    fields.clear();
    EXPECT_EQ(print("range", {Press(2), Choose(2, 3, 1, false), Press(0, &fields)}), (std::vector{p2, p3}));
    EXPECT_EQ(fields.mid(0, 5), (QStringList{"5", "2", "3", "1", "000084～000251"}));
    EXPECT_EQ(print("collated", {Press(2), Choose(2, 3, 2, true), Press(0)}), (std::vector{p2, p3, p2, p3}));
    EXPECT_EQ(print("uncollated", {Press(2), Choose(2, 3, 2, false), Press(0)}), (std::vector{p2, p2, p3, p3}));
    // The next job starts with one copy of all its own pages: six, with more frames.
    for (FrameRecord r = kinds[1]; window.store.Count() < 440;) window.store.Add(r, true);
    fields.clear();
    EXPECT_EQ(print("next", {Press(0, &fields)}).size(), 6u);
    EXPECT_EQ(fields.mid(0, 5), (QStringList{"6", "1", "6", "1", "000000～000439"}));
    EXPECT_TRUE(print("none", {Press(1)}).empty());

    // キャンセル while the first copy of page 3 is printed (2, 2, 3, 3), the commands off meanwhile.
    TPrintingForm& progress = command.PrintingForm();
    bool ownerEnabled = true;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (!progress.isVisible() || progress.Label2()->text() != "3/3ページ") return;
        ownerEnabled = window.owner.isEnabled();
        clicker.stop();
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    });
    clicker.start(0);
    EXPECT_EQ(print("cancel", {Press(2), Choose(2, 3, 2, false), Press(0)}), (std::vector{p2, p2, p3}));
    EXPECT_EQ(std::tuple(ownerEnabled, window.owner.isEnabled(), progress.isVisible()), std::tuple(false, true, false));

    EXPECT_TRUE(print("../../proc/none", {Press(0)}).empty());  // a file that cannot be made
    EXPECT_EQ(window.boxes.at(1).text, Sjis("印刷できませんでした。"));
}
