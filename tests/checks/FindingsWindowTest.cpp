// The findings window on the main window: opened from the 解析 menu, its rows and status line of findings counted by hand, its
// filters and sorts, a finding taken to its frame in the main list when it
// can, the CSV velkdump writes; live on the ticks, it keeps its place as
// findings come and the oldest go; over a loaded trace, the checks' own
// findings.
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
    SpanFrames([&](FrameRecord r) { form.Store().Add(r, false); });  // INDEX 0 to 22 at positions 0 to 22
    FindingLog& log = form.Checks()->Findings();
    log.Add(Made(Severity::kError, Check::kState, 2, 1, "CONNECT の前に ALERTING"));
    log.Add(Made(Severity::kWarning, Check::kT303, 10, 3, "SETUP から 4000 ms 以内に応答なし"));
    log.Add(Made(Severity::kInfo, Check::kLinkSetup, 0, 0, "リンク設定"));
    log.Add(Made(Severity::kError, Check::kReleaseComplete, 11, 3, "CONNECT の後に RELEASE COMPLETE"));
    log.Add(Made(Severity::kInfo, Check::kReceiverNotReady, 7, 0, "RNR"));
    log.Add(Made(Severity::kWarning, Check::kT303, 500, 0, "SETUP が再送された"));
    TFindingsWindow& w = Opened(form);
    ASSERT_TRUE(w.isVisible());
    w.resize(900, 300);
    Pump();
    ASSERT_EQ(w.Model().rowCount(), 6);
    EXPECT_EQ(w.Status()->text(), QtText::Literal("表示 6件　エラー 2　警告 2　情報 2　　SABME 0　UA 0　DISC 0　DM 0"
                                                  "　FRMR 0　REJ 0　RNR 0　FCS異常 0"));
    // Tinted by severity: errors and warnings apart, information plain (by INDEX: 0 I, 2 E, 7 I, 10 W).
    const auto tint = [&](int row) { return w.Model().index(row, 0).data(Qt::BackgroundRole); };
    EXPECT_TRUE(tint(1).isValid() && tint(3).isValid() && tint(1) != tint(3) && !tint(0).isValid());

    // Filters: warnings; then T303 of any severity.
    w.SeverityBox()->setCurrentIndex(2);
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 0, T::kSeverity)), std::tuple(2, QtText::Literal("警告")));
    w.SeverityBox()->setCurrentIndex(0);
    w.CheckBox()->setCurrentIndex(int(Check::kT303) + 1);
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 1, T::kIndex)), std::tuple(2, QStringLiteral("500")));
    w.CheckBox()->setCurrentIndex(0);

    // A click on a header sorts by its column upwards, a second downwards; the current finding stays current.
    QHeaderView* header = w.Table()->horizontalHeader();
    w.Table()->selectRow(3);
    const uint64_t current = Current(w);
    for (bool ascending : {true, false}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(T::kSeverity) + 4, 4));
        EXPECT_EQ(std::tuple(w.Model().Rows().SortColumn(), w.Model().Rows().Ascending()), std::tuple(int(T::kSeverity), ascending));
        EXPECT_EQ(Cell(w, 0, T::kSeverity), QtText::Literal(ascending ? "エラー" : "情報"));
        EXPECT_EQ(Current(w), current);
    }
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(T::kIndex) + 4, 4));
    ASSERT_EQ(Cell(w, 0, T::kIndex), QStringLiteral("0"));

    // Enter or a double click: the finding's frame selected in the main list; a frame
    // no longer stored, or a run on, a box.
    EXPECT_EQ(Enter(form, w, 3), std::vector<std::string>{});
    EXPECT_EQ(form.SelectedRow(), 10 + 1);
    const QRect second = w.Table()->visualRect(w.Model().index(1, T::kText));
    // As a mouse does it: a click, then the second press as a double click.
    QTest::mouseClick(w.Table()->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(w.Table()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(form.SelectedRow(), 2 + 1);
    EXPECT_EQ(Enter(form, w, 5), std::vector<std::string>{VELK_SJIS("このフレーム(INDEX=000500)はもう記憶されていません。")});
    form.Calls()->SetRunOn(true);
    EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{VELK_SJIS("モニター中はフレームを表示できません。\n"
                                                                   "モニターを終了してから選んでください。")});
    form.Calls()->SetRunOn(false);
    EXPECT_EQ(form.SelectedRow(), 3);

    // CSV保存: the findings held, in the order held.
    Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(dir.Slash() + "f.csv")});
    EXPECT_EQ(ReadFile(dir.Slash() + "f.csv"), FindingsCsv::Text(log));

    // Live: a tick adds the new findings without building the rows anew.
    int resets = 0;
    QObject::connect(&w.Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    log.Add(Made(Severity::kError, Check::kCollision, 4, 2, "B1 に呼1と呼2"));
    form.Calls()->Ticked();
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 2, T::kCheck), resets), std::tuple(7, QStringLiteral("COLLISION"), 0));
    EXPECT_TRUE(w.Status()->text().startsWith(QtText::Literal("表示 7件　エラー 3　")));
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

TEST(FindingsWindow, TheChecksOfALoadedTrace) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    // A call answered, then a frame whose FCS fails, then RELEASE COMPLETE where RELEASE was due.
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
    TFindingsWindow& w = Opened(form);
    EXPECT_EQ(w.Status()->text(), QtText::Literal("表示 2件　エラー 1　警告 1　情報 0　　SABME 0　UA 0　DISC 0　DM 0"
                                                  "　FRMR 0　REJ 0　RNR 0　FCS異常 1"));
    w.CheckBox()->setCurrentIndex(int(Check::kFcs) + 1);
    ASSERT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 0, T::kIndex)), std::tuple(1, QStringLiteral("2")));
    EXPECT_EQ(Enter(form, w, 0), std::vector<std::string>{});
    EXPECT_EQ(form.SelectedRow(), 2 + 1);
    w.CheckBox()->setCurrentIndex(int(Check::kReleaseComplete) + 1);
    EXPECT_EQ(std::tuple(w.Model().rowCount(), Cell(w, 0, T::kIndex), Cell(w, 0, T::kSeverity)),
              std::tuple(1, QStringLiteral("3"), QtText::Literal("エラー")));
}
