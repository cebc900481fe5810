// The print command through the main window's menu into PDF files, read back
// with pdftotext: the settings dialog's count and fields, a whole store and
// pages 2 to 3 of 5, copies with and without collation, a cancel.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

#include "base/QtText.h"
#include "print/PrintCommand.h"
#include "print/TPrintSettingDlg.h"
#include "print/TPrintingForm.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/TDrawGrid.h"

using namespace testsupport;

namespace {

using Step = DialogDriver::Step;
using Act = std::function<void(TPrintSettingDlg&)>;

// Acts on the settings dialog once its count has ended (the count runs
// while the dialog is up, with its buttons off).
void WhenCounted(TPrintSettingDlg& dialog, const Act& act) {
    if (dialog.CancelButton()->isEnabled()) act(dialog);
    else QTimer::singleShot(10, &dialog, [&dialog, act] { WhenCounted(dialog, act); });
}
Step Settings(const Act& act) {
    return [act](QDialog& d) { WhenCounted(static_cast<TPrintSettingDlg&>(d), act); };
}
// The fields shown, then OK.
Step ReadAndPressOk(QStringList& fields) {
    return Settings([&fields](TPrintSettingDlg& d) {
        for (int i = 0; i < 6; ++i) fields << d.Field(i)->text();
        d.OkButton()->click();
    });
}
const Step kSetup = Settings([](TPrintSettingDlg& d) { d.SetupButton()->click(); });
// The system print dialog: a page range (or all pages with from 0), copies,
// collation; the file the test named (the dialog keeps the one it was shown with).
Step Choose(int from, int to, int copies, bool collate) {
    return [=](QDialog& d) {
        d.findChild<QLineEdit*>("filename")->setText(static_cast<QPrintDialog&>(d).printer()->outputFileName());
        d.findChild<QAbstractButton*>(from ? "printRange" : "printAll")->setChecked(true);
        d.findChild<QSpinBox*>("from")->setValue(from);
        d.findChild<QSpinBox*>("to")->setValue(to);
        d.findChild<QSpinBox*>("copies")->setValue(copies);
        d.findChild<QAbstractButton*>("collate")->setChecked(collate);
        d.accept();
    };
}

class PrintCommandTest : public ::testing::Test {
protected:
    PrintCommandTest() {
        form.show();
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
    std::string Path(const std::string& name) const { return dir.Slash() + name; }
    // Prints into name.pdf with the dialogs answered; the pages' texts.
    std::vector<std::string> Print(const std::string& name, std::vector<Step> steps) {
        printer.setOutputFileName(QString::fromStdString(Path(name + ".pdf")));
        {
            DialogDriver driver(std::move(steps));
            form.Menu().print->trigger();
        }
        std::system(("pdftotext -raw -htmlmeta " + Path(name + ".pdf") + " " + Path(name + ".txt") + " 2>/dev/null")
                        .c_str());
        std::vector<std::string> pages;
        const std::string text = ReadFile(Path(name + ".txt"));
        for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
            pages.push_back(text.substr(start, end - start));
        return pages;
    }
    // One line a frame: INDEX, time, frame type, message, called number.
    void Fill(int frames) {
        form.Options().SetDisplayOptions(
            Columns({RowText::kIndex, RowText::kTime, RowText::kCommand, RowText::kLayer3Message,
                     RowText::kCalledNumber}));
        form.DisplayOptionsChanged();
        const FrameRecord kinds[] = {
            Q931Frame(0x05, {0x04, 0x03, 0x80, 0x90, 0xA3, 0x18, 0x03, 0xA9, 0x83, 0x81, 0x70, 0x05, 0x81, '1', '2',
                             '3', '4'}),
            Q931Frame(0x02, {0x18, 0x03, 0xA9, 0x83, 0x81}, FrameRecord::kRx),
            FcsFrame({0x02, 0x01, 0x01, 0x05}, FrameRecord::kRx),
            FcsFrame({0x00, 0x01, 0x7F}, FrameRecord::kTx, false),
        };
        for (int i = 0; i < frames; ++i) {
            FrameRecord r = kinds[i % 4];
            form.Store().Add(r, true);
        }
        form.RefreshList(true);
    }

    TempFolder dir;
    TestForm form{FormSetup(dir.Slash(), 40, false, false)};
    QPrinter& printer = form.Print().Printer();
};

// The page's header, then its first row from the INDEX on.
std::string Head(const std::string& page) { return page.substr(0, page.find(" TIME=")); }

}  // namespace

// A4 at 1200 dpi is 13699 units high inside Qt's margins and a line of the
// 150-unit IPAGothic 161 high: rows stand while y + 161 < 13699 - 80, so
// 84 one-line frames make a page and 356 frames five pages.
TEST_F(PrintCommandTest, PrintsTheWholeStoreThenPagesTwoToThreeChosenInThePrintDialog) {
    form.Menu().print->trigger();
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].text + "|" + form.boxes[0].caption, Sjis("印刷するデータはありません。|印刷"));
    Fill(356);

    QStringList fields;
    std::vector<std::string> pages = Print("whole", {ReadAndPressOk(fields)});
    const QString pdf = QString::fromStdString(Path("whole.pdf"));
    EXPECT_EQ(fields, (QStringList{"5", "1", "5", "1", QString::fromUtf8("000000～000355"), pdf}));
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_NE(pages[0].find("<title>ISDNﾓﾆﾀｰ</title>"), std::string::npos) << pages[0];
    pages[0].erase(0, pages[0].find("ISDN monitor"));
    const char* const wanted[] = {"000000", "000084", "000168", "000252", "000336"};
    for (size_t p = 0; p < pages.size(); ++p)
        EXPECT_EQ(Head(pages[p]), "ISDN monitor data page " + std::to_string(p + 1) + "\nINDEX=" + wanted[p]);
    EXPECT_NE(pages[4].find("INDEX=000355"), std::string::npos);

    fields.clear();
    pages = Print("range", {kSetup, Choose(2, 3, 1, false), ReadAndPressOk(fields)});
    EXPECT_EQ(fields, (QStringList{"5", "2", "3", "1", QString::fromUtf8("000084～000251"),
                                   QString::fromStdString(Path("range.pdf"))}));
    ASSERT_EQ(pages.size(), 2u);
    pages[0].erase(0, pages[0].find("ISDN monitor"));
    EXPECT_EQ(Head(pages[0]), "ISDN monitor data page 2\nINDEX=000084");
    EXPECT_EQ(Head(pages[1]), "ISDN monitor data page 3\nINDEX=000168");
    EXPECT_EQ(pages[1].find("INDEX=000252"), std::string::npos);

    // A file that cannot be made is said so; ｷｬﾝｾﾙ prints nothing.
    form.boxes.clear();
    printer.setOutputFileName("/proc/none.pdf");
    {
        DialogDriver driver({Settings([](TPrintSettingDlg& d) { d.OkButton()->click(); })});
        form.Menu().print->trigger();
    }
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].text, Sjis("印刷できませんでした。"));
    EXPECT_TRUE(Print("none", {Settings([](TPrintSettingDlg& d) { d.CancelButton()->click(); })}).empty());
    EXPECT_FALSE(std::filesystem::exists(Path("none.pdf")));
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(PrintCommandTest, TwoCopiesWithAndWithoutCollation) {
    Fill(2 * 84 + 10);
    QStringList fields;
    const struct { bool collate; std::vector<int> pages; } runs[] = {
        {true, {1, 2, 3, 1, 2, 3}}, {false, {1, 1, 2, 2, 3, 3}},
    };
    for (const auto& run : runs) {
        std::vector<int> printed;
        const Step choose = Choose(0, 0, 2, run.collate);
        for (const std::string& page : Print("copies", {kSetup, choose, ReadAndPressOk(fields)})) {
            const size_t at = page.find("page ");
            printed.push_back(at == std::string::npos ? 0 : std::stoi(page.substr(at + 5)));
        }
        EXPECT_EQ(printed, run.pages);
        EXPECT_EQ(fields.mid(0, 4), (QStringList{"3", "1", "3", "2"}));
        EXPECT_EQ(printer.copyCount(), 2);  // the user's copies, kept for the next job
        fields.clear();
    }
}

// Simulated traffic with the default display options; the progress window's
// キャンセル is clicked while page 2 is printed, the main window disabled.
TEST_F(PrintCommandTest, CancelStopsAfterThePageBeingPrinted) {
    TrafficGenerator generator(7);
    SimFrame frame;
    for (int i = 0; i < 2000; ++i) {
        generator.Next(frame);
        std::vector<uint8_t> octets = frame.octets;
        octets.insert(octets.begin(), 0x7E);
        octets.push_back(0x7E);
        FrameRecord r = RawFrame(octets, frame.direction);
        form.Store().Add(r, true);
    }
    form.RefreshList(true);
    TPrintingForm& progress = form.Print().PrintingForm();
    bool mainEnabled = true;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (!progress.isVisible() || !progress.Label2()->text().startsWith("2/")) return;
        mainEnabled = form.isEnabled();
        clicker.stop();
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    });
    clicker.start(0);
    QStringList fields;
    const std::vector<std::string> pages = Print("cancel", {ReadAndPressOk(fields)});
    EXPECT_FALSE(clicker.isActive());
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(progress.isVisible());
    EXPECT_GT(fields.value(0).toInt(), 2);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[1].find("ISDN monitor data page 2"), std::string::npos);
    // For a look beside the list.
    std::system(("pdftoppm -r 60 -f 1 -l 1 -png " + Path("cancel.pdf") + " /tmp/velkscope-print").c_str());
    form.resize(900, 700);
    form.DrawGrid1()->grab().save(QStringLiteral("/tmp/velkscope-print-list.png"));
}
