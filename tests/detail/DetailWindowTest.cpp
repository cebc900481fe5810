// The detail window with the shipped catalogue, opened by the main window's
// detail command: keys and wheel, entry heights, caption, place and picture,
// printing to a PDF file, and the text save.
#include "detail/TL3Form1.h"

#include <QAction>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include "app/TMainForm.h"
#include "ui/QtText.h"
#include "detail/DetailListBox.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;
using D = DialogDriver;

namespace {

// Titles, icons, separators and indent on; colours 0x00BBGGRR.
struct DetailWindow : ::testing::Test {
    QWidget owner;
    DisplayOptions options = OptionData::DefaultDisplayOptions();
    TempFolder folder;
    std::string Path(const char* name) { return folder.Path() + "/" + name; }
};

// A SETUP's entries: 0 flag, 1 title, 2-3 address, 4 title, 5-6 control, 7 title, 8-11
// header, 12-16 channel identification (14 of five lines), 17 title, 18-19 FCS, 20 flag.
const std::vector<uint8_t> kSetup = {0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05, 0x18, 0x03, 0xA9, 0x83, 0x81};

}  // namespace

TEST_F(DetailWindow, TheDetailCommandOpensItAndKeysAndWheelStepOverTitles) {
    TMainForm main(TMainFormSetup{Path("velk.opt"), folder.Path(), false});
    main.Store().Take(FcsFrame(kSetup), true);
    D driver({[](QDialog& form) {
        DetailListBox& list = *static_cast<TL3Form1&>(form).ListBox1();
        const int keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,       Qt::Key_PageDown, Qt::Key_Right,
                            Qt::Key_Left, Qt::Key_PageDown, Qt::Key_PageUp, -120, 240};  // the last two: wheel
        const int selected[] = {0, 2, 0, 13, 14, 13, 20, 9, 10, 8};
        for (size_t i = 0; i < std::size(keys); ++i) {
            QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, keys[i]}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            if (keys[i] > 255) QTest::keyClick(&list, Qt::Key(keys[i]));
            else QApplication::sendEvent(list.viewport(), &wheel);
            EXPECT_EQ(list.Selected(), selected[i]) << i;
        }
        const int h = QFontMetrics(list.font()).height() + 2;
        EXPECT_EQ(list.visualRect(list.model()->index(14, 0)).height(), 5 * h + 2);
        EXPECT_EQ(list.visualRect(list.model()->index(13, 0)).height(), h + 2);
        QTest::keyClick(&list, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        form.reject();  // should Esc have failed, the test goes on
    }});
    main.Menu().detail->trigger();
    EXPECT_EQ(driver.seen, QStringList{"INDEX=000000"});
}

TEST_F(DetailWindow, CaptionIconPlaceAndPicture) {
    owner.setGeometry(100, 50, 640, 480);
    owner.setWindowIcon(QIcon(QPixmap(16, 16)));
    FrameRecord setup = FcsFrame(kSetup);
    setup.SetIndex(42);
    TL3Form1 form(owner, options, setup);
    EXPECT_EQ(std::tuple(form.windowTitle(), form.windowIcon().cacheKey(), form.frameGeometry()),
              std::tuple(QStringLiteral("INDEX=000042"), owner.windowIcon().cacheKey(), QRect(100, 50, 640, 480)));
    form.show();
    // A picture of the window; VELK_DETAIL_PNG names a file to keep it in.
    const char* png = std::getenv("VELK_DETAIL_PNG");
    EXPECT_TRUE(form.grab().save(QString::fromLocal8Bit(png ? png : Path("detail.png"))));
    // Pixels: inside and beside a tag box's right edge, a title bar's right
    // end, the separator line over an element and just before it.
    DetailListBox& list = *form.ListBox1();
    const QImage image = list.viewport()->grab().toImage();
    const int d = 5 * QFontMetrics(list.font()).horizontalAdvance('A') + 3;
    auto at = [&](int x, int row, int dy) {
        return image.pixel(x, list.visualRect(list.model()->index(row, 0)).y() + dy);
    };
    EXPECT_EQ((std::vector<QRgb>{at(d + 1, 0, 6), at(d + 3, 0, 6), at(image.width() - 3, 1, 6), at(d + 6, 12, 0),
                                 at(d + 5, 12, 0)}),
              (std::vector<QRgb>{0xFF00FFFF, 0xFFFFFFFF, 0xFF00FF00, 0xFF800000, 0xFFFFFFFF}));
}

TEST_F(DetailWindow, PrintsPagesWithTheirHeadersIntoAPdfFile) {
    FrameRecord longFrame = RawFrame(std::vector<uint8_t>(200, 0x50));  // SAPI 20: a line an octet
    longFrame.SetIndex(7);
    TL3Form1 form(owner, options, longFrame);
    form.Printer().setOutputFormat(QPrinter::PdfFormat);
    form.Printer().setOutputFileName(QString::fromStdString(Path("detail.pdf")));
    for (const D::Step& answer : {D::Reject(), D::Accept()}) {
        EXPECT_FALSE(std::filesystem::exists(Path("detail.pdf")));  // not after a cancel either
        D driver({answer});
        form.PrintMenuClick();
    }
    // pdftotext folds the header's two spaces into one; the entries' lines are left out.
    std::system(("pdftotext -raw -htmlmeta " + Path("detail.pdf") + " - | grep -v '^50$' >" + Path("pdf")).c_str());
    std::string pages = "<pre>\n";
    for (const char* n : {"1", "2", "3"})
        pages += std::string("ISDN monitor data（詳細：INDEX=000007） page ") + n + "\n\f";
    const std::string text = ReadFile(Path("pdf"));
    EXPECT_NE(text.find("<title>Velkscope詳細</title>"), std::string::npos) << text;
    EXPECT_NE(text.find(pages + "</pre>"), std::string::npos) << text;
}

// A file that cannot be made or written gets the error box, and the file it
// would replace stays whole.
TEST_F(DetailWindow, SavesItsEntriesAsText) {
    TL3Form1 form(owner, options, FcsFrame({0x00, 0x01, 0x7F}));  // SABME
    const std::string saved = Sjis(
        "Flag\t7E\t01111110\tHDLC flag\r\n\t＜＜アドレスフィールド＞＞\r\n"
        "AF+00\t00\t000000xx\tSAPI\t\t\t呼制御手順\r\n\t\txxxxxx0x\tC/R\t\t\tｺﾏﾝﾄﾞ\r\n"
        "AF+01\t01\t0000000x\tTEI\t\t\t非自動割当TEI(TEI\t0)\r\n\t＜＜コントロールフィールド＞＞\r\n"
        "CF+00\t7F\t011x1111\tｺﾏﾝﾄﾞ\t\t\t拡張非同期平衡ﾓｰﾄﾞ設定(SABME)\r\n\t\txxx1xxxx\tﾎﾟｰﾙ\t\t\t1(ｵﾝ)\r\n"
        "\t＜＜フレームチェックシーケンス＞＞\r\nCRC+0\t64\t01100100\tCRC\t\t\t正常\r\n"
        "CRC+1\t54\t01010100\tCRC\t\t\t正常\r\nFlag\t7E\t01111110\tHDLC flag\r\n");
    const QString failed = QtText::FromCp932(Sjis("異常: 指定のファイルに保存できませんでした。"));
    const struct { std::vector<D::Step> steps; rlim_t fileSizeLimit; bool fails; } runs[] = {
        {{D::ChooseFile(Path("detail.txt"))}, RLIM_INFINITY, false},
        {{D::Reject()}, RLIM_INFINITY, false},
        {{D::ChooseFile(Path("missing/detail.txt")), D::Press(QMessageBox::Ok)}, RLIM_INFINITY, true},
        {{D::ChooseFile(Path("detail.txt")), D::Press(QMessageBox::Yes), D::Press(QMessageBox::Ok)}, 64, true},
    };
    for (const auto& run : runs) {
        D driver(run.steps);
        WithFileSizeLimit(run.fileSizeLimit, [&] { return form.SaveImageMenuClick(), true; });
        EXPECT_EQ(driver.seen.size(), run.steps.size());
        EXPECT_EQ(driver.seen.back() == failed, run.fails) << driver.seen.join('|').toStdString();
        EXPECT_EQ(ReadFile(Path("detail.txt")), saved);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);  // no temporary file left
}
