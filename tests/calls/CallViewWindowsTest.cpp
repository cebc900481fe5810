// The channel timeline and the statistics windows over the main window's
// call feed, fed the span of CallFrames.h (a collision, restarts, calls
// still open, a day change): live on the ticks, a click on a bar selects its
// call in the call list, tips, zoom, the picture and the CSV saved; both
// open from the 解析 menu in every state.
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "calls/BarChartView.h"
#include "calls/CallFeed.h"
#include "calls/CallListCommand.h"
#include "calls/CallStatisticsCommand.h"
#include "calls/CallStatisticsCsv.h"
#include "calls/ChannelTimelineCommand.h"
#include "calls/ChannelTimelineView.h"
#include "calls/TCallListWindow.h"
#include "calls/TCallStatisticsWindow.h"
#include "calls/TChannelTimelineWindow.h"
#include "tests/calls/CallFrames.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "ui/QtText.h"

using namespace testsupport;
using namespace callframes;

namespace {

constexpr int kT0 = kSpanStart;

// The span's frames from first to before last into the store and the feed, then a tick.
void Feed(TestForm& form, int first, int last) {
    int i = 0;
    SpanFrames([&](FrameRecord r) {
        if (i >= first && i < last) form.Store().Add(r, false), form.Calls()->Take(r);
        ++i;
    });
    form.Calls()->Ticked();
}

QStringList Row(QTableWidget* table, int row) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) cells << (table->item(row, c) ? table->item(row, c)->text() : "-");
    return cells;
}

}  // namespace

TEST(ChannelTimelineWindow, LiveBarsClickTipZoomAndPicture) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    Feed(form, 0, 16);  // calls 1 to 4, an hour
    form.Menu().channelTimeline->trigger();
    TChannelTimelineWindow& w = *form.Commands().Get<ChannelTimelineCommand>().Window();
    ChannelTimelineView& view = *w.View();
    ASSERT_TRUE(w.isVisible());
    w.resize(900, 560);
    Pump();
    EXPECT_TRUE(w.Timeline().Bars(24).empty());
    EXPECT_EQ(w.Timeline().LastRow(), 23);
    EXPECT_TRUE(view.Viewport().Whole());

    // Zoomed in at the start, the view stays where it is as the rest comes in.
    for (int i = 0; i < 40; ++i) QTest::keyClick(&view, Qt::Key_Plus);
    QTest::keyClick(&view, Qt::Key_Home);
    const int64_t from = view.Viewport().FromMs(), to = view.Viewport().ToMs();
    EXPECT_EQ(from, kT0);
    EXPECT_EQ(to - from, TimelineViewport::kMinViewMs);
    Feed(form, 16, 100);
    EXPECT_EQ(w.Timeline().Bars(24).size(), 1u);
    EXPECT_EQ(w.Timeline().LastRow(), 24);
    EXPECT_EQ(w.Timeline().Marks().size(), 2u);
    EXPECT_EQ(view.Viewport().FromMs(), from);
    EXPECT_EQ(view.Viewport().ToMs(), to);

    // Call 2 lies over call 1 on B1: its tip names it and the collision; a
    // click selects it in the call list, clearing a filter that hid it.
    form.Menu().callList->trigger();
    TCallListWindow& list = *form.Commands().Get<CallListCommand>().Window();
    list.ResultBox()->setCurrentIndex(1);  // 完了 only
    const QPoint two = view.PointOf(1, kT0 + 1000);
    const QString tip = view.TipAt(two);
    for (const char* part : {"番号: 2\n", "着番号: 0399", "結果: 不応答", "切断: DISCONNECT", "衝突: 呼1と呼2 23:00:00～23:00:01"})
        EXPECT_TRUE(tip.contains(QtText::Literal(part))) << part << "\n" << tip.toStdString();
    EXPECT_TRUE(view.TipAt(view.PointOf(3, kT0 + 1000)).isEmpty());
    QTest::mouseClick(&view, Qt::LeftButton, {}, two);
    EXPECT_EQ(view.Selected(), 2u);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.ResultBox()->currentIndex(), 0);
    EXPECT_EQ(list.Model().Rows().NumberAt(size_t(list.Table()->currentIndex().row())), 2u);

    // Keys zoom out around the middle; End shows the end.
    QTest::keyClick(&view, Qt::Key_PageDown);
    const int64_t middle = (view.Viewport().FromMs() + view.Viewport().ToMs()) / 2;
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_EQ(view.Viewport().ToMs() - view.Viewport().FromMs(), TimelineViewport::kMinViewMs * 5 / 4);
    EXPECT_NEAR(double((view.Viewport().FromMs() + view.Viewport().ToMs()) / 2), double(middle), 20);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.Viewport().ToMs(), w.Timeline().EndMs());
    w.ScrollBar()->setValue(0);  // the bar follows the keys and moves the view
    EXPECT_EQ(view.Viewport().FromMs(), w.Timeline().StartMs());

    // The picture as shown: the open call 1 drawn to the end of B1, nothing
    // on B3 but the restart of the interface.
    view.Viewport().ShowAll();
    const std::string png = std::getenv("VELK_TIMELINE_PNG") ? std::getenv("VELK_TIMELINE_PNG") : dir.Slash() + "t.png";
    Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(png)});
    const QImage picture(QString::fromStdString(png));
    ASSERT_EQ(picture.size(), view.size());
    const QColor completed = ChannelTimelineView::ResultColour(CallRecord::kCompleted);
    EXPECT_EQ(picture.pixelColor(view.PointOf(1, kT0 + 1'800'000)), completed);
    EXPECT_EQ(picture.pixelColor(view.PointOf(1, form.Calls()->Tracker().NowMs() - 100'000)), completed);
    EXPECT_EQ(picture.pixelColor(view.PointOf(3, kT0 + 1'000'000)), QColor(Qt::white));
    const QPoint restart = view.PointOf(3, kT0 + 3'602'000);
    int purple = 0;
    for (int dx : {-1, 0, 1}) purple += picture.pixelColor(restart + QPoint(dx, 0)) == QColor(0x7b, 0x1f, 0xa2);
    EXPECT_GE(purple, 1);
    EXPECT_TRUE(form.boxes.empty());
}

TEST(CallStatisticsWindow, HandCountedTablesPrefixesCsvAndTheEmptyBox) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    form.Menu().callStatistics->trigger();
    TCallStatisticsWindow& w = *form.Commands().Get<CallStatisticsCommand>().Window();
    Answered([&] { w.SaveButton()->click(); }, {});
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].text, VELK_SJIS("保存するデータはありません。"));
    Feed(form, 0, 100);  // live
    const char* const results[] = {"完了 2", "拒否 1", "不応答 1", "放棄 0", "未解放 0", "継続中 2"};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(Row(w.TableOf(w.kResults), r).join(' '), QtText::Literal(results[r]));
    EXPECT_EQ(Row(w.TableOf(w.kCauses), 3).join(','), QStringLiteral("17,3,RX,")
              + QtText::FromCp932(MessageCatalogue::Program().Lookup(MessageCatalogue::IF_CA_CA, 17)) + ",1");
    QTest::keyClicks(w.PrefixBox(), QStringLiteral("0312,06"));
    EXPECT_EQ(Row(w.TableOf(w.kTalk), 1).join(','), QStringLiteral("0312,2,1000,1000,3598000,3598000"));
    EXPECT_EQ(Row(w.TableOf(w.kToAlerting), 3).join(','), QtText::Literal("その他,2,400,400,700,700"));
    EXPECT_EQ(Row(w.TableOf(w.kHours), 1).join(','), QStringLiteral("1,0,2"));
    EXPECT_EQ(Row(w.TableOf(w.kChannels), 0).join(','), QStringLiteral("1,3603000,2"));
    EXPECT_EQ(w.ChartOf(w.kChannelChart)->Bars()[0].figure, QStringLiteral("1:00:03"));

    CallStatistics fresh;
    fresh.SetPrefixes({"0312", "06"});
    fresh.Build(form.Calls()->Tracker());
    Answered([&] { w.SaveButton()->click(); }, {DialogDriver::ChooseFile(dir.Slash() + "s.csv")});
    EXPECT_EQ(ReadFile(dir.Slash() + "s.csv"), CallStatisticsCsv::Text(fresh, MessageCatalogue::Program()));
    w.resize(900, 500);
    w.Tabs()->setCurrentIndex(4);
    const char* png = std::getenv("VELK_STATS_PNG");
    EXPECT_TRUE(w.grab().save(QString::fromLocal8Bit(png ? png : dir.Slash() + "stats.png")));
}

TEST(CallViewWindows, TheirMenuEntriesOpenThemInEveryState) {
    TempFolder dir;
    TestForm form(FormSetup(dir.Slash(), 40, true, false));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList entries;
    for (QAction* entry : form.Menu().analysis->actions()) entries << entry->text();
    EXPECT_EQ(entries.join(' '), QtText::Literal("呼一覧(&L) チャネル使用状況(&T) 統計(&S) 診断(&D)"));
    for (int state = 0; state < UiStates::kStates; ++state)
        for (int route = 0; route < 3; ++route) {
            QWidget* timeline = form.Commands().Get<ChannelTimelineCommand>().Window();
            QWidget* stats = form.Commands().Get<CallStatisticsCommand>().Window();
            if (timeline) timeline->close();
            if (stats) stats->close();
            form.SetUiState(state);
            form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            if (route == 0) form.Menu().channelTimeline->trigger();
            if (route == 1) QTest::keySequence(&form, QKeySequence(Qt::CTRL | Qt::Key_T));
            if (route == 2) form.Menu().callStatistics->trigger();
            Pump();
            QWidget* opened = route < 2 ? static_cast<QWidget*>(form.Commands().Get<ChannelTimelineCommand>().Window())
                                        : form.Commands().Get<CallStatisticsCommand>().Window();
            ASSERT_TRUE(opened) << state << route;
            EXPECT_TRUE(opened->isVisible()) << state << route;
        }
}
