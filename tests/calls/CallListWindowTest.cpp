// The call list window on the main window: opened while a run takes
// velksim's frames over a pseudo-terminal, its rows grow tick by tick
// without a reset; it sorts, filters, writes the CSV velkdump writes for the
// same frames, saves a call's report, and takes a call to its frames in the
// main list when it can.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

#include "calls/CallCsv.h"
#include "calls/CallListCommand.h"
#include "calls/LadderModel.h"
#include "calls/TCallListWindow.h"
#include "search/RelatedFrames.h"
#include "search/TSearchResultDlg.h"
#include "store/TraceText.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "ui/QtText.h"

using namespace testsupport;

namespace {

QString Cell(TCallListWindow& w, int row, int column) { return w.Model().index(row, column).data().toString(); }

// 呼レポート保存 of a call into path; what it wrote.
std::string Report(TCallListWindow& w, uint64_t number, const std::string& path) {
    w.Table()->selectRow(int(w.Model().Rows().RowOf(number)));
    Answered([&] { w.ReportButton()->click(); }, {DialogDriver::ChooseFile(path)});
    return ReadFile(path);
}

// Enter on a row; the boxes the main window showed meanwhile.
std::vector<std::string> Enter(TestForm& form, TCallListWindow& w, int row) {
    form.boxes.clear();
    w.Table()->selectRow(row);
    QTest::keyClick(w.Table(), Qt::Key_Return);
    std::vector<std::string> texts;
    for (const auto& box : form.boxes) texts.push_back(box.text);
    return texts;
}

}  // namespace

TEST(CallListWindow, LiveRowsSortFilterCsvAndTheWayToTheFrames) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(1, {"--rate-fps", "1000", "--quiet"}));
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 0, false, false));
    form.Timer1Timer();
    Pump();
    ASSERT_EQ(form.CurrentUiState(), UiStates::kConnected);
    form.show();
    form.StartMonitoring();
    form.Menu().callList->trigger();
    TCallListWindow& w = *form.Commands().Get<CallListCommand>().Window();
    ASSERT_TRUE(w.isVisible());
    int resets = 0;
    QObject::connect(&w.Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    std::vector<int> rows;
    ASSERT_TRUE(WaitUntil([&] {
        form.Timer1Timer();
        rows.push_back(w.Model().rowCount());
        return rows.back() >= 40;
    }, kPollBoundMs, RunEvents));
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_LT(rows.front(), rows.back());
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{VELK_SJIS("モニター中は呼のフレームを表示できません。\n"
                                                                   "モニターを終了してから選んでください。")});
    form.StopMonitoring();
    form.Timer1Timer();
    const FrameStore& store = form.Store();

    // CSV保存 writes what velkdump makes of the same frames; a disk that is full, the box.
    const std::string trace = dir.Slash() + "run.vkt", dumped = dir.Slash() + "dump.csv", saved = dir.Slash() + "w.csv";
    std::string text;
    for (size_t p = 0; p < store.Count(); ++p) TraceText::AppendRecordText(text, store.At(p));
    ASSERT_TRUE(WriteFile(trace, text));
    ASSERT_EQ(RunProgram({VelksimProcess::Program("velkdump"), trace, "--calls", "-o", dumped}, dir.Slash() + "out",
                         dir.Slash() + "err", 60000), 0);
    Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(saved)});
    EXPECT_EQ(ReadFile(saved), ReadFile(dumped));
    form.boxes.clear();
    EXPECT_TRUE(WithFileSizeLimit(100, [&] {
        Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(dir.Slash() + "full.csv")});
        return form.boxes.size() == 1 && form.boxes[0].caption == VELK_SJIS("異常");
    }));

    // 呼レポート保存 of a completed call whose related frames up to its end are its own: its
    // CSV row as labelled lines, its ladder with the captions of ladder.ini, and its frames as
    // velkdump --details writes them (the data folder's velk.opt is the form's).
    setenv("VELKSCOPE_HOME", dir.Path().c_str(), 1);
    ASSERT_TRUE(WriteFile(dir.Slash() + "ladder.ini", "TX=PBX\r\nRX=" + Sjis("網") + "\r\n"));
    DisplayOptions display;
    form.Options().GetDisplayOptions(display);
    display.exportDetail = 0;  // the report has the details all the same
    form.Options().SetDisplayOptions(display);
    const CallRecord* reported = nullptr;
    std::deque<uint32_t> frames;
    for (int row = 0; !reported || reported->Outcome() != CallRecord::kCompleted || frames.size() != reported->frames; ++row) {
        ASSERT_TRUE(reported = w.Model().CallAt(row));
        frames = RelatedFrames::From(store, size_t(reported->firstIndex));
        std::erase_if(frames, [&](uint32_t p) { return store.At(p).Index() > reported->lastIndex; });
    }
    std::vector<std::string> dump{VelksimProcess::Program("velkdump"), "--details", "-o", dir.Slash() + "call.txt"};
    for (uint32_t p : frames) {  // a trace each, which keeps the frame's INDEX
        std::string one = "INDEX=" + TraceText::IndexText(store.At(p).Index()) + "\r\n";
        TraceText::AppendRecordText(one, store.At(p));
        ASSERT_TRUE(WriteFile(dump.emplace_back(dir.Slash() + std::to_string(p)), one));
    }
    ASSERT_EQ(RunProgram(dump, dir.Slash() + "out", dir.Slash() + "err", 60000), 0);
    const std::string report = Report(w, reported->number, dir.Slash() + "report.txt");
    EXPECT_EQ(report.substr(0, report.find(Sjis("作成: "))),
              Sjis("呼レポート\r\n取得元: モニター COM1　開始 ") + store.At(0).Time().Format() + "\r\n");
    size_t at = report.find(Sjis("\r\n[呼]\r\n")) + 8;
    std::string row;
    for (int c = 0; c < CallCsv::kColumns; ++c, at = report.find("\r\n", at) + 2) {
        const std::string label = CallCsv::ColumnName(c) + ": ";
        ASSERT_EQ(report.substr(at, label.size()), label);
        CallCsv::AppendQuoted(row += c ? "," : "", report.substr(at + label.size(), report.find("\r\n", at) - at - label.size()));
    }
    EXPECT_NE(ReadFile(dumped).find("\r\n" + row + "\r\n"), std::string::npos) << row;
    LadderModel ladder(MessageCatalogue::Program());
    ladder.Add(*reported);
    EXPECT_EQ(report.substr(at), "\r\n[" + Sjis("シーケンス") + "]\r\n" + ladder.Text("PBX", Sjis("網")) + "\r\n[" +
                                     Sjis("フレーム") + "]\r\n" + ReadFile(dir.Slash() + "call.txt"));
    form.boxes.clear();
    EXPECT_TRUE(WithFileSizeLimit(100, [&] { return Report(w, reported->number, dir.Slash() + "full.txt").empty(); }));
    EXPECT_EQ(form.boxes.size(), 1u);

    // A click on a header sorts by its column upwards, a second downwards; the current call stays current.
    QHeaderView* header = w.Table()->horizontalHeader();
    w.Table()->selectRow(5);
    const uint64_t current = w.Model().Rows().NumberAt(5);
    for (bool ascending : {true, false}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(CallCsv::kFrames) + 4, 4));
        EXPECT_EQ(std::tuple(w.Model().Rows().SortColumn(), w.Model().Rows().Ascending()), std::tuple(int(CallCsv::kFrames), ascending));
        EXPECT_EQ(w.Model().Rows().NumberAt(size_t(w.Table()->currentIndex().row())), current);
    }
    // Filters: one result, then a number's digits as well.
    w.ResultBox()->setCurrentIndex(1);  // 完了
    const int completed = w.Model().rowCount();
    for (int r = 0; r < completed; ++r) ASSERT_EQ(Cell(w, r, CallCsv::kResult), QtText::Literal("完了"));
    EXPECT_TRUE(w.Summary()->text().contains(QtText::Literal("完了 ") + QString::number(completed) + QChar(0x3000)));
    // What the digits match is the model's test; typed, they reach it.
    QTest::keyClicks(w.NumberBox(), QStringLiteral("000000000000"));  // longer than any number
    EXPECT_EQ(w.Model().rowCount(), 0);
    w.NumberBox()->clear();

    // Idle, Enter selects the call's first frame and lists its related frames.
    const CallRecord call = *w.Model().CallAt(0);
    std::deque<uint32_t> listed;
    Answered([&] { EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{}); },
             {[&](QDialog& d) { listed = static_cast<TSearchResultDlg&>(d).Positions(), d.reject(); }});
    const size_t first = static_cast<size_t>(call.firstIndex);  // numbered from 0 in a store that kept all
    EXPECT_EQ(std::tuple(form.SelectedRow(), listed), std::tuple(int(first) + 1, RelatedFrames::From(store, first)));
    // Once a ring buffer let the frame go, a box says so.
    form.Store().SetModes(true, false);
    for (FrameRecord rr = FcsFrame({0x02, 0x01, 0x01, 0x02}); rr.Index() < int32_t(FrameStore::kCapacity * 2);)
        form.Store().Add(rr, true);
    EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{VELK_SJIS("この呼の最初のフレーム(INDEX=") +
                                                          TraceText::IndexText(call.firstIndex) +
                                                          VELK_SJIS(")はもう記憶されていません。")});
    // The report says how many of the call's frames the store let go.
    EXPECT_TRUE(Report(w, reported->number, dir.Slash() + "lost.txt").ends_with(
        "]\r\n" + Sjis("この呼のフレームのうち") + std::to_string(reported->frames) + Sjis("個はもう記憶されていません。\r\n")));
    // A load makes the calls of the loaded frames, numbered from 500 now.
    w.ResultBox()->setCurrentIndex(0);
    w.NumberBox()->clear();
    ASSERT_TRUE(WriteFile(trace, "INDEX=000500\r\n" + ReadFile(trace)));
    Answered([&] { form.Menu().open->trigger(); }, {DialogDriver::ChooseFile(trace), [](QDialog&) {}});
    form.Timer1Timer();
    CallTracker loaded;
    for (size_t p = 0; p < store.Count(); ++p) loaded.Add(store.At(p));
    EXPECT_EQ(CallCsv::Text(form.Calls()->Tracker(), MessageCatalogue::Program()),
              CallCsv::Text(loaded, MessageCatalogue::Program()));
    EXPECT_EQ(std::tuple(w.Model().rowCount(), store.At(0).Index()), std::tuple(int(loaded.Count()), 500));
    EXPECT_TRUE(Report(w, w.Model().Rows().NumberAt(0), dir.Slash() + "loaded.txt").starts_with(
        Sjis("呼レポート\r\n取得元: ファイル ") + trace + "\r\n"));
    unsetenv("VELKSCOPE_HOME");
    w.resize(1000, 360);
    const char* png = std::getenv("VELK_CALLS_PNG");
    EXPECT_TRUE(w.grab().save(QString::fromLocal8Bit(png ? png : dir.Slash() + "calls.png")));
}

TEST(CallListWindow, ItsMenuEntryOpensItInEveryStateByMenuAndShortcut) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList menus;
    for (QAction* menu : form.menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus.join(' '), QtText::Literal("ﾌｧｲﾙ(&F) 検索(&S) 表示(&V) ﾓﾆﾀｰ(&M) 解析(&A) ﾍﾙﾌﾟ(&H)"));
    for (int state = 0; state < UiStates::kStates; ++state)
        for (bool shortcut : {false, true}) {
            if (TCallListWindow* open = form.Commands().Get<CallListCommand>().Window()) open->close();
            form.SetUiState(state);
            form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            if (shortcut) QTest::keySequence(&form, QKeySequence(Qt::CTRL | Qt::Key_L));
            else form.Menu().callList->trigger();
            Pump();
            TCallListWindow* w = form.Commands().Get<CallListCommand>().Window();
            ASSERT_TRUE(w) << state << shortcut;
            EXPECT_TRUE(w->isVisible()) << state << shortcut;
        }
}
