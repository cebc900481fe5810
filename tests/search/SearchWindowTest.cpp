// The 検索 menu through the real main window: the dialogs answered in turn,
// the progress window cancelled by a click, the result window drawn and
// opening a detail window.
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "search/SearchCommands.h"
#include "search/TGoToDlg.h"
#include "search/TSearchDlg.h"
#include "search/TSearchNoDlg.h"
#include "search/TSearchNowDlg.h"
#include "search/TSearchResultDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/TDrawGrid.h"

using namespace testsupport;
using Step = DialogDriver::Step;

namespace {

Step SearchFor(const char* utf8, bool whole = false) {
    return [utf8, whole](QDialog& d) {
        auto& dlg = static_cast<TSearchDlg&>(d);
        dlg.TextBox()->setEditText(QString::fromUtf8(utf8));
        dlg.WholeMatchBox()->setChecked(whole);
        d.accept();
    };
}

class SearchCommandsTest : public ::testing::Test {
protected:
    SearchCommandsTest() {
        // Only INDEX is shown; the numbers are searched as text not shown.
        DisplayOptions options = Columns({RowText::kIndex});
        options.searchHiddenText = 1;
        form.Options().SetDisplayOptions(options);
        // 0 SETUP 123, 1 SETUP 1234, 2 CONNECT, 3 RR, 4 SETUP 123, 5 RR with a bad FCS, 6 DISCONNECT.
        const std::vector<uint8_t> n123 = HexBytes("6C04A1313233"), n1234 = HexBytes("6C05A131323334"),
                                   rr = {0x00, 0x01, 0x01, 0x00};
        for (FrameRecord f : {Q931Frame({0x01, 0x01}, 0x05, n123), Q931Frame({0x01, 0x02}, 0x05, n1234),
                              Q931Frame({0x01, 0x81}, 0x07, {}), FcsFrame(rr), Q931Frame({0x01, 0x01}, 0x05, n123),
                              FcsFrame(rr, FrameRecord::kTx, false), Q931Frame({0x01, 0x81}, 0x45, {})})
            form.Store().Add(f, true);
        form.List().SelectRow(1);
    }
    void Run(QAction* entry, std::vector<Step> steps) {
        DialogDriver driver(std::move(steps));
        entry->trigger();
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : form.boxes) texts.push_back(box.caption + ":" + box.text);
        form.boxes.clear();
        return texts;
    }
    std::string NotFound() const { return Sjis("検索結果:指定の文字列は見つかりませんでした。"); }

    TempFolder dir;
    TestForm form{FormSetup(dir.Slash(), 40, false, false)};
};

}  // namespace

TEST_F(SearchCommandsTest, FindAndFindNextSelectTheFrameOrKeepTheRow) {
    Run(form.Menu().find, {SearchFor("発番号=\"123\"")});
    EXPECT_EQ(form.SelectedRow(), 1);  // from the cursor: the current row itself
    form.Menu().findNext->trigger();
    EXPECT_EQ(form.SelectedRow(), 5);  // 1234 is no hit
    form.Menu().findNext->trigger();
    EXPECT_EQ(Boxes(), std::vector<std::string>{NotFound()});
    EXPECT_EQ(form.SelectedRow(), 5);
    // A character CP932 cannot hold finds nothing, not a "?"; whole match never matches a field.
    Run(form.Menu().find, {SearchFor("발")});
    Run(form.Menu().find, {SearchFor("000004", true)});
    EXPECT_EQ(Boxes(), (std::vector<std::string>{NotFound(), NotFound()}));
    // Every search joins the history, find next too.
    EXPECT_EQ(form.Commands().Get<SearchCommands>().SearchDlg().TextBox()->count(), 5);
}

TEST_F(SearchCommandsTest, TheProgressWindowCancelsWhileTheMainWindowIsDisabled) {
    for (FrameRecord r = FcsFrame({0x00, 0x01, 0x01, 0x00}); form.Store().Count() < 30000;) form.Store().Add(r, true);
    form.List().SelectRow(3);
    TSearchNowDlg& progress = form.Commands().Get<SearchCommands>().SearchNowDlg();
    bool clicked = false;
    QTimer::singleShot(50, [&] {
        EXPECT_FALSE(form.isEnabled());
        EXPECT_TRUE(progress.isVisible());
        EXPECT_TRUE(progress.Label()->text().startsWith(QStringLiteral("INDEX=0")));
        QObject::connect(progress.CancelButton(), &QPushButton::clicked, [&] { clicked = true; });
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    });
    Run(form.Menu().find, {SearchFor("no such text")});
    EXPECT_TRUE(clicked);
    EXPECT_EQ(Boxes(), std::vector<std::string>{NotFound()});
    EXPECT_EQ(form.SelectedRow(), 3);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(SearchCommandsTest, BatchSearchListsTheMatchesAndOpensTheirDetail) {
    form.List().SelectRow(6);
    QStringList titles;
    const Step inResult = [&](QDialog& d) {
        auto& result = static_cast<TSearchResultDlg&>(d);
        // Backward from row 6, ascending.
        EXPECT_EQ(result.Positions(), (std::deque<uint32_t>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(result.Grid()->RowCount(), 7);
        EXPECT_EQ(result.Grid()->ColWidth(1), result.width() / 2 - 8);
        EXPECT_EQ(result.Grid()->Heights().Lines(1), 1);  // the user's INDEX column only
        result.Grid()->SetRow(6);
        QTest::keyClick(result.Grid(), Qt::Key_Return);
        EXPECT_EQ(Boxes(), std::vector<std::string>{Sjis("誤操作:ＣＲＣエラーのデータは詳細表示できません。")});
        result.Grid()->SetRow(1);
        QTest::keyClick(result.Grid(), Qt::Key_Return);  // the detail window, answered below
        d.reject();
    };
    const Step inDetail = [&](QDialog& d) {
        titles << d.metaObject()->className() + (" " + d.windowTitle());
        d.reject();
    };
    form.Commands().Get<SearchCommands>().SearchDlg().DirectionButton(1)->setChecked(true);
    Run(form.Menu().batchSearch, {SearchFor("00000"), inResult, inDetail});
    EXPECT_EQ(titles, QStringList{QStringLiteral("TL3Form1 INDEX=000000")});
    EXPECT_EQ(form.SelectedRow(), 6);
}

TEST_F(SearchCommandsTest, NumberSearchStepsAfterAHitAndListsTheRelatedFrames) {
    std::vector<bool> related;
    auto press = [&](bool relatedButton) {
        return [&, relatedButton](QDialog& d) {
            auto& dlg = static_cast<TSearchNoDlg&>(d);
            related.push_back(dlg.RelatedButton()->isEnabled());
            (relatedButton ? dlg.RelatedButton() : dlg.NextButton())->click();
        };
    };
    const Step typed = [&](QDialog& d) {
        QLineEdit* edit = static_cast<TSearchNoDlg&>(d).NumberBox()->lineEdit();
        QTest::keyClicks(edit, "1a");
        edit->insert(QStringLiteral("2b"));  // pasted
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("3c"));
        QCoreApplication::sendEvent(edit, &commit);
        EXPECT_EQ(edit->text(), QStringLiteral("123"));
        press(false)(d);
    };
    std::deque<uint32_t> listed;
    const Step inResult = [&](QDialog& d) { listed = static_cast<TSearchResultDlg&>(d).Positions(), d.reject(); };
    Run(form.Menu().numberSearch, {typed, press(false), press(false), press(true), inResult});
    EXPECT_EQ(related, (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(Boxes(), std::vector<std::string>{NotFound()});  // the third: no third 123
    EXPECT_EQ(listed, (std::deque<uint32_t>{4, 6}));  // from the SETUP at 4: itself and its DISCONNECT
    EXPECT_EQ(form.SelectedRow(), 5);
}

TEST_F(SearchCommandsTest, GoToChecksTheTextAndWalksByIndexValue) {
    for (size_t i = 0; i < form.Store().Count(); ++i) form.Store().At(i).SetIndex(static_cast<int32_t>(100 + i));
    const auto enter = [](std::vector<const char*> texts) {
        return [texts](QDialog& d) {
            for (const char* text : texts) {
                static_cast<TGoToDlg&>(d).IndexBox()->setEditText(QString::fromUtf8(text));
                d.accept();
            }
        };
    };
    Run(form.Menu().gotoIndex, {enter({"", "-3", "abc", "3.5", "2147483648", "103"})});
    const std::string empty = Sjis("入力エラー:移動するINDEXを入力してください"),
                      negative = Sjis("入力エラー:INDEXには正の数を入力してください"),
                      nan = Sjis("入力エラー:INDEXは数値で入力してください");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{empty, negative, nan, nan, nan}));
    EXPECT_EQ(form.SelectedRow(), 4);
    Run(form.Menu().gotoIndex, {enter({"3"})});  // INDEX 3 is position 3, but no record has it
    EXPECT_EQ(form.SelectedRow(), 4);
    EXPECT_EQ(form.Commands().Get<SearchCommands>().GoToDlg().IndexBox()->count(), 2);
}
