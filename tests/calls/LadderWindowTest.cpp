// The ladder window over a fake main window: the rows it paints for a
// complete call, a rejected call, both together and a long call; a click
// on an arrow; the captions dialog and file; the PNG, SVG and printed
// pages; and the call list's button that opens it for the selected calls.
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "calls/CallFeed.h"
#include "calls/LadderView.h"
#include "calls/TCallListWindow.h"
#include "calls/TLadderCaptionsDlg.h"
#include "calls/TLadderWindow.h"
#include "tests/calls/CallFrames.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeWindow.h"
#include "ui/QtText.h"

using namespace testsupport;
using namespace callframes;

namespace {

constexpr int kT0 = 36'000'000;  // 10:00:00.000

// Call 1 answered and cleared by TX; call 2 refused by RX meanwhile; call
// 3 a hundred messages long.
struct LadderWindow : ::testing::Test {
    LadderWindow() {
        const std::pair<int, Step> steps[] = {
            {0, O(kSetup, Called("0312") + Channel(1))}, {100, D(kProc)}, {200, O(kSetup, Called("0399") + Channel(2), 2)},
            {300, D(kAlert)}, {400, D(kRelComp, Cause(2, 17), 2)}, {900, D(kConnect)}, {5000, O(kDisc, Cause(0, 16))},
            {5100, D(kRel)}, {5200, O(kRelComp)}};
        int index = 0;
        for (const auto& [ms, step] : steps) Take(StepFrame(step, kT0 + ms, index++));
        for (int i = 0; i < 100; ++i)
            Take(StepFrame(i == 0 ? O(kSetup, {}, 3) : O(kInfo, {}, 3), kT0 + 10'000 + 50 * i, index++));
    }
    void Take(FrameRecord frame) {
        window.store.Add(frame, false);
        feed.Take(frame);
    }
    const CallRecord* Call(uint64_t number) { return feed.Tracker().Find(number); }
    // Each row as "time delta name cause" and its direction.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        const LadderPicture& p = ladder.Picture();
        for (size_t r = 0; r < p.Layout().Rows(); ++r) {
            const LadderPicture::Item item = p.ItemOf(r);
            EXPECT_EQ(item.fromX < item.toX ? item.fromX : item.toX, p.Layout().TxX());
            rows.push_back(QStringList{item.time, item.delta, item.fromX < item.toX ? "->" : "<-", item.name, item.cause}
                               .join(' ').toStdString());
        }
        return rows;
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : window.boxes) texts.push_back(Cp932::ToUtf8(box.text));
        window.boxes.clear();
        return texts;
    }

    TempFolder dir;
    FakeWindow window{dir.Slash()};
    CallFeed feed;
    TLadderWindow ladder{window, window, feed, dir.Slash() + "ladder.ini"};
};

}  // namespace

TEST_F(LadderWindow, PaintsTheArrowsOfOneOrSeveralCallsInTimeOrder) {
    ladder.Open({Call(1)});
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "10:00:00.000  -> 呼設定(SETUP) ", "10:00:00.100 +0.100s <- 呼設定受付(CALL PROCEEDING) ",
                          "10:00:00.300 +0.200s <- 呼出(ALERTING) ", "10:00:00.900 +0.600s <- 応答(CONNECT) ",
                          "10:00:05.000 +4.100s -> 切断(DISCONNECT) CV=16 LOC=0 正常切断",
                          "10:00:05.100 +0.100s <- 解放(RELEASE) ", "10:00:05.200 +0.100s -> 解放完了(RELEASE COMPLETE) "}));
    EXPECT_EQ(ladder.windowTitle(), QtText::Literal("シーケンス図 - 呼#1"));
    ladder.Open({Call(2)});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"10:00:00.200  -> 呼設定(SETUP) ",
                                                "10:00:00.400 +0.200s <- 解放完了(RELEASE COMPLETE) CV=17 LOC=2 着ﾕｰｻﾞﾋﾞｼﾞｰ"}));
    // The list's order does not matter: colours follow the calls' numbers.
    ladder.Open({Call(2), Call(1)});
    const std::vector<std::string> both = Rows();
    ASSERT_EQ(both.size(), 9u);
    EXPECT_EQ(both[2], "10:00:00.200  #2 +0.100s -> 呼設定(SETUP) ");
    EXPECT_EQ(both[4], "10:00:00.400  #2 +0.100s <- 解放完了(RELEASE COMPLETE) CV=17 LOC=2 着ﾕｰｻﾞﾋﾞｼﾞｰ");
    EXPECT_EQ(ladder.Picture().Calls(), (std::vector<uint64_t>{1, 2}));
    const LadderPicture& p = ladder.Picture();
    EXPECT_EQ(p.ItemOf(0).colour, LadderPicture::Colour(0));
    EXPECT_EQ(p.ItemOf(2).colour, LadderPicture::Colour(1));
    EXPECT_GT(p.ItemOf(1).top, p.ItemOf(0).top);
    EXPECT_NE(p.ItemOf(0).colour, p.ItemOf(2).colour);
    // A long call shows its gap, which opens nothing.
    ladder.Open({Call(3)});
    ASSERT_EQ(p.Layout().Rows(), 81u);
    const LadderPicture::Item gap = p.ItemOf(64);
    EXPECT_TRUE(gap.gap);
    EXPECT_EQ(gap.name, QtText::Literal("... 20件省略 ..."));
    EXPECT_EQ(p.ItemOf(65).time, "10:00:14.200");
    QTest::mouseClick(ladder.Rows(), Qt::LeftButton, {}, QPoint(p.Layout().TxX() + 20, gap.arrowY));
    EXPECT_TRUE(window.details.empty());
    EXPECT_TRUE(window.boxes.empty());
    // None, or more than there are colours: a box each.
    ladder.Open({});
    std::vector<const CallRecord*> many(TLadderWindow::kMaxCalls + 1, Call(1));
    ladder.Open(many);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"シーケンス図を表示する呼を選んでください。",
                                                 "シーケンス図に表示できる呼は8件までです。"}));
    EXPECT_EQ(p.Layout().Rows(), 81u);
}

TEST_F(LadderWindow, AClickOnAnArrowOpensItsFrameWhileItIsStored) {
    ladder.Open({Call(1), Call(2)});
    auto click = [&](size_t row) {
        const LadderPicture::Item item = ladder.Picture().ItemOf(row);
        QTest::mouseClick(ladder.Rows(), Qt::LeftButton, {}, QPoint((item.fromX + item.toX) / 2, item.arrowY));
    };
    click(4);
    click(6);
    EXPECT_EQ(window.details, (std::vector<int32_t>{4, 6}));
    feed.SetRunOn(true);
    click(4);
    feed.SetRunOn(false);
    // A ring buffer let the first frames go.
    window.store.Clear();
    for (int i = 3; i < 9; ++i) Take(StepFrame(O(kInfo), kT0, i));
    click(2);
    click(5);
    // A new run: the same INDEX is another frame.
    feed.Clear();
    click(5);
    EXPECT_EQ(window.details, (std::vector<int32_t>{4, 6, 5}));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"モニター中はフレームの詳細を表示できません。\nモニターを終了してから選んでください。",
                                                 "このフレーム(INDEX=000002)はもう記憶されていません。",
                                                 "このフレーム(INDEX=000005)はもう記憶されていません。"}));
}

TEST_F(LadderWindow, CaptionsAreCheckedSavedAndReadBack) {
    window.realDialogs = true;
    ladder.Open({Call(2)});
    const std::string path = dir.Slash() + "ladder.ini";
    auto type = [](const char* tx, const char* rx) {
        return [=](QDialog& d) {
            auto& dialog = static_cast<TLadderCaptionsDlg&>(d);
            dialog.TxBox()->setText(QString::fromUtf8(tx));
            dialog.RxBox()->setText(QString::fromUtf8(rx));
            dialog.accept();
            if (dialog.isVisible()) dialog.reject();
        };
    };
    for (auto [tx, rx] : {std::pair{"", "網"}, {"PBX", "☃"}, {"PBX", "123456789012345678901234567890123"}}) {
        Answered([&] { ladder.CaptionsButton()->click(); }, {type(tx, rx)});
        EXPECT_FALSE(std::filesystem::exists(path)) << rx;
    }
    Answered([&] { ladder.CaptionsButton()->click(); }, {type("PBX", "網")});
    EXPECT_EQ(ReadFile(path), Sjis("TX=PBX\r\nRX=網\r\n"));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"表示名は半角1～32文字(全角1～16文字)で入力してください",
                                                 "表示名に使えない文字があります",
                                                 "表示名は半角1～32文字(全角1～16文字)で入力してください"}));
    TLadderWindow again(window, window, feed, path);
    again.Open({Call(2)});
    EXPECT_EQ(again.Captions().tx, "PBX");
    EXPECT_EQ(again.Captions().rx, Sjis("網"));
    ASSERT_TRUE(WriteFile(path, "TX=PBX\r\n"));
    again.Open({Call(2)});
    EXPECT_EQ(again.Captions().tx, "TX");
    EXPECT_EQ(again.Captions().rx, "RX");
    // A folder that cannot hold the file: the captions stay for the window, a box says so.
    TLadderWindow homeless(window, window, feed, dir.Slash() + "none/ladder.ini");
    homeless.Open({Call(2)});
    Answered([&] { homeless.CaptionsButton()->click(); }, {type("A", "B")});
    EXPECT_EQ(Boxes(), std::vector<std::string>{"表示名を保存できませんでした。"});
    EXPECT_EQ(homeless.Captions().tx, "A");
}

TEST_F(LadderWindow, SavesPngAndSvgAndPrintsPages) {
    ASSERT_TRUE(WriteFile(dir.Slash() + "ladder.ini", Sjis("TX=PBX\r\nRX=網\r\n")));
    ladder.Open({Call(1), Call(2)});
    const char* png = std::getenv("VELK_LADDER_PNG");
    const std::string pngPath = png ? png : dir.Slash() + "ladder.png", svgPath = dir.Slash() + "ladder.svg";
    std::filesystem::remove(pngPath);
    Answered([&] { ladder.PngButton()->click(); }, {DialogDriver::ChooseFile(pngPath)});
    Answered([&] { ladder.SvgButton()->click(); }, {DialogDriver::ChooseFile(svgPath)});
    const QImage image(QString::fromStdString(pngPath));
    EXPECT_EQ(image.size(), QSize(ladder.Picture().Width(), ladder.Picture().Height()));
    const std::string svg = ReadFile(svgPath);
    // Qt writes a text in runs of one script each.
    for (const char* text : {"<svg", ">網<", ">DISCONNECT)<", ">CV=17 LOC=2 <", ">#2<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    Answered([&] { ladder.PngButton()->click(); }, {DialogDriver::ChooseFile(dir.Slash() + "none/l.png")});
    EXPECT_EQ(Boxes(), std::vector<std::string>{"指定のファイルに保存できませんでした。"});
    if (const char* shown = std::getenv("VELK_LADDER_WINDOW_PNG")) ladder.grab().save(QString::fromLocal8Bit(shown));

    // Printed: the short ladder on one page, the long one on several, each
    // arrow once, each page with its title line.
    QPrinter& printer = ladder.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    auto print = [&](const std::string& name) {
        const std::string file = dir.Slash() + name;
        printer.setOutputFileName(QString::fromStdString(file + ".pdf"));
        Answered([&] { ladder.PrintButton()->click(); }, {[](QDialog& d) {
                     const QString pdf = static_cast<QPrintDialog&>(d).printer()->outputFileName();
                     d.findChild<QLineEdit*>("filename")->setText(pdf);
                     d.accept();
                 }});
        std::system(("pdftotext -raw " + file + ".pdf " + file + ".txt 2>/dev/null").c_str());
        return ReadFile(file + ".txt");
    };
    auto count = [](const std::string& text, const std::string& part) {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(print("two"), "\f"), 1u);
    ladder.Open({Call(3)});
    const std::string text = print("long");
    const size_t pages = ladder.PrintedPages(printer).size();
    EXPECT_GT(pages, 1u);
    EXPECT_EQ(count(text, "\f"), pages);
    for (size_t page = 1; page <= pages; ++page)
        EXPECT_EQ(count(text, "ISDN monitor data（シーケンス図：呼#3） page " + std::to_string(page) + "\n"), 1u) << page;
    for (size_t r = 0; r < ladder.Picture().Layout().Rows(); ++r)
        if (!ladder.Picture().ItemOf(r).gap) EXPECT_EQ(count(text, ladder.Picture().ItemOf(r).time.toStdString()), 1u) << r;
}

TEST_F(LadderWindow, TheCallListOpensItForTheSelectedOrCurrentCalls) {
    CallFeed none;
    TCallListWindow empty(window, window, window, none);
    empty.Open();
    empty.LadderButton()->click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"表示する呼はありません。"});

    TCallListWindow list(window, window, window, feed);
    list.Open();
    QTableView& table = *list.Table();
    auto clickRow = [&](int row, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(table.viewport(), Qt::LeftButton, keys, table.visualRect(table.model()->index(row, 1)).center());
    };
    clickRow(0, {});
    clickRow(2, Qt::ControlModifier);
    list.LadderButton()->click();
    ASSERT_TRUE(list.Ladder());
    EXPECT_TRUE(list.Ladder()->isVisible());
    EXPECT_EQ(list.Ladder()->Picture().Calls(), (std::vector<uint64_t>{1, 3}));
    table.selectionModel()->clearSelection();
    list.LadderButton()->click();
    EXPECT_EQ(list.Ladder()->Picture().Calls(), std::vector<uint64_t>{3});
}
