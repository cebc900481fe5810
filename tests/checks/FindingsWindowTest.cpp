// The findings window on the main window, opened from the 解析 menu over a
// loaded trace: the checks' own findings and more by hand in its rows and
// status line; filters and sorts; a finding taken to its frame in the main
// list when it can; the CSV; live on the ticks, keeping its place as
// findings come and the oldest go.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "calls/CallFeed.h"
#include "checks/FindingsCommand.h"
#include "checks/FindingsCsv.h"
#include "checks/TFindingsWindow.h"
#include "store/TraceText.h"
#include "tests/calls/CallFrames.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "ui/QtText.h"

using namespace testsupport;
using namespace callframes;

namespace {

using T = FindingTable;

Finding Made(Severity severity, Check check, int32_t index, uint64_t call, const char* text) {
    Finding f{severity, check, index, {}, index * 100, call, Sjis(text)};
    f.time.Set(23, 0, index / 10, index % 10 * 100);
    return f;
}

QString Cell(TFindingsWindow& w, int row, int column) { return w.Model().index(row, column).data().toString(); }

TFindingsWindow& Opened(TestForm& form) {
    form.Menu().findings->trigger();
    return *form.Commands().Get<FindingsCommand>().Window();
}

// Enter on a row; the boxes the main window showed meanwhile.
std::vector<std::string> Enter(TestForm& form, TFindingsWindow& w, int row) {
    form.boxes.clear();
    w.Table()->selectRow(row);
    QTest::keyClick(w.Table(), Qt::Key_Return);
    std::vector<std::string> texts;
    for (const auto& box : form.boxes) texts.push_back(box.text);
    return texts;
}

uint64_t Current(TFindingsWindow& w) { return w.Model().Rows().NumberAt(size_t(w.Table()->currentIndex().row())); }

}  // namespace

TEST(FindingsWindow, RowsStatusFiltersSortsFramesCsvAndItsPlaceAsFindingsComeAndGo) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    // A trace: a call answered, a frame whose FCS fails, RELEASE COMPLETE where RELEASE was due.
    const std::pair<Step, bool> steps[] = {{O(kSetup, Bytes{0x04, 0x03, 0x80, 0x90, 0xA3} + Channel(1)), true},
                                           {D(kConnect), true}, {D(kAlert), false}, {O(kRelComp, Cause(0, 16)), true}};
    uint8_t ns[2] = {};
    std::string trace;
    for (int i = 0; i < 4; ++i) {
        const auto& [s, good] = steps[i];
        const Bytes body{0x00, 0x01, uint8_t(ns[s.direction]++ << 1), 0x00, 0x08, 0x01, uint8_t((s.flag ? 0x80 : 0) | s.cr), s.type};
        TraceText::AppendRecordText(trace, Stamped(FcsFrame(body + s.elements, s.direction, good), kSpanStart + i * 100, i));
    }
    ASSERT_TRUE(WriteFile(dir.Slash() + "t.vkt", trace));
    Answered([&] { form.Menu().open->trigger(); }, {DialogDriver::ChooseFile(dir.Slash() + "t.vkt"), [](QDialog&) {}});
    // The checks found FCS at 2 (1) and RELCOMP at 3 (2); three more by hand (3 to 5).
    FindingLog& log = form.Checks()->Findings();
    log.Add(Made(Severity::kInfo, Check::kLinkSetup, 0, 0, "リンク設定"));
    log.Add(Made(Severity::kWarning, Check::kT303, 500, 0, "SETUP が再送された"));
    log.Add(Made(Severity::kInfo, Check::kReceiverNotReady, 1, 0, "RNR"));
    TFindingsWindow& w = Opened(form);
    ASSERT_TRUE(w.isVisible());
    w.resize(900, 300);
    Pump();
    ASSERT_EQ(w.Model().rowCount(), 5);
    EXPECT_EQ(w.Status()->text(), QtText::Literal("表示 5件　エラー 1　警告 2　情報 2　　SABME 0　UA 0　DISC 0　DM 0"
                                                  "　FRMR 0　REJ 0　RNR 0　FCS異常 1"));
    // By INDEX: 0 I, 1 I, 2 W, 3 E, 500 W. Tinted by severity, information plain.
    const auto tint = [&](int row) { return w.Model().index(row, 0).data(Qt::BackgroundRole); };
    EXPECT_TRUE(tint(2).isValid() && tint(3).isValid() && tint(2) != tint(3) && !tint(0).isValid());
    EXPECT_EQ(std::tuple(Cell(w, 3, T::kCheck), Cell(w, 3, T::kCall)), std::tuple(QStringLiteral("RELCOMP"), QStringLiteral("1")));

    // Filters: warnings; then FCS of any severity.
    w.SeverityBox()->setCurrentIndex(2);
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 1, T::kIndex)), std::tuple(2, QStringLiteral("000500")));
    w.SeverityBox()->setCurrentIndex(0);
    w.CheckBox()->setCurrentIndex(int(Check::kFcs) + 1);
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 0, T::kIndex)), std::tuple(1, QStringLiteral("000002")));
    w.CheckBox()->setCurrentIndex(0);

    // A click on a header sorts by its column upwards, a second downwards; the current finding stays current.
    QHeaderView* header = w.Table()->horizontalHeader();
    w.Table()->selectRow(2);
    const uint64_t current = Current(w);
    for (int column : {T::kSeverity, T::kSeverity, T::kIndex}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 4, 4));
        EXPECT_EQ(Current(w), current);
    }
    EXPECT_EQ(std::tuple(w.Model().Rows().SortColumn(), w.Model().Rows().Ascending()), std::tuple(int(T::kIndex), true));

    // Enter or a double click: the finding's frame selected in the main list; a frame
    // no longer stored, or a run on, a box.
    EXPECT_EQ(Enter(form, w, 2), std::vector<std::string>{});
    EXPECT_EQ(form.SelectedRow(), 2 + 1);
    const QRect second = w.Table()->visualRect(w.Model().index(1, T::kText));
    // As a mouse does it: a click, then the second press as a double click.
    QTest::mouseClick(w.Table()->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(w.Table()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(form.SelectedRow(), 1 + 1);
    EXPECT_EQ(Enter(form, w, 4), std::vector<std::string>{VELK_SJIS("このフレーム(INDEX=000500)はもう記憶されていません。")});
    form.Calls()->SetRunOn(true);
    EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{VELK_SJIS("モニター中はフレームを表示できません。\n"
                                                                   "モニターを終了してから選んでください。")});
    form.Calls()->SetRunOn(false);
    EXPECT_EQ(form.SelectedRow(), 2);

    // CSV保存: the findings held, in the order held.
    Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(dir.Slash() + "f.csv")});
    EXPECT_EQ(ReadFile(dir.Slash() + "f.csv"), FindingsCsv::Text(log));

    // Live: a tick adds the new findings without building the rows anew.
    int resets = 0;
    QObject::connect(&w.Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    log.Add(Made(Severity::kError, Check::kCollision, 1, 2, "B1 に呼1と呼2"));
    form.Calls()->Ticked();
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 2, T::kCheck), resets), std::tuple(6, QStringLiteral("COLLISION"), 0));
    EXPECT_TRUE(w.Status()->text().startsWith(QtText::Literal("表示 6件　エラー 2　")));
    const char* png = std::getenv("VELK_FINDINGS_PNG");
    EXPECT_TRUE(w.grab().save(QString::fromLocal8Bit(png ? png : dir.Slash() + "findings.png")));

    // The calls start afresh, and the checks with them: nothing held, nothing to save.
    form.Calls()->Clear();
    form.Calls()->Ticked();
    EXPECT_EQ(std::tuple(w.Model().rowCount(), resets), std::tuple(0, 1));
    form.boxes.clear();
    w.SaveButton()->click();
    EXPECT_EQ(form.boxes.at(0).text, VELK_SJIS("保存するデータはありません。"));

    // Mid-list, new findings that sort before the rows in view leave those rows in view.
    for (int i = 0; i < 200; ++i) log.Add(Made(Severity::kInfo, Check::kReject, 1000 + i, 0, "REJ"));
    form.Calls()->Ticked();
    QScrollBar* bar = w.Table()->verticalScrollBar();
    bar->setValue(100);
    w.Table()->selectRow(105);
    for (int i = 0; i < 5; ++i) log.Add(Made(Severity::kInfo, Check::kReject, i, 0, "REJ"));
    form.Calls()->Ticked();
    EXPECT_EQ(std::tuple(bar->value(), Current(w), resets), std::tuple(105, uint64_t(106), 1));
    // At the end, the newest come into view.
    w.Table()->scrollToBottom();
    log.Add(Made(Severity::kInfo, Check::kReject, 5000, 0, "REJ"));
    form.Calls()->Ticked();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(w.Table()->viewport()->rect().intersects(w.Table()->visualRect(w.Model().index(205, 0))));

    // A full log lets its oldest go (1 to 10, rows 5 to 14); their rows go with them, the selection stays.
    while (log.NextNumber() <= FindingLog::kMaxFindings + 10) log.Add(Made(Severity::kInfo, Check::kReject, 6000, 0, "REJ"));
    form.Calls()->Ticked();
    EXPECT_EQ(std::tuple(size_t(w.Model().rowCount()), w.Model().Rows().NumberAt(0), Current(w), resets),
              std::tuple(FindingLog::kMaxFindings, uint64_t(201), uint64_t(106), 1));
}
