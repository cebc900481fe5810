// The 検索 commands over a fake window: the dialogs answered in turn, the
// progress window cancelled by a click, the result window drawn and opening
// a detail window.
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "search/SearchCommands.h"
#include "search/TGoToDlg.h"
#include "search/TSearchDlg.h"
#include "search/TSearchNoDlg.h"
#include "search/TSearchNowDlg.h"
#include "search/TSearchResultDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeWindow.h"
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
        window.options.SetDisplayOptions(options);
        // 0 SETUP 123, 1 SETUP 1234, 2 CONNECT, 3 RR, 4 SETUP 123, 5 RR with a bad FCS, 6 DISCONNECT,
        // 7 SETUP on H0 channel 1～6 from number "\".
        const std::vector<uint8_t> n123 = HexBytes("6C04A1313233"), n1234 = HexBytes("6C05A131323334"),
                                   rr = {0x00, 0x01, 0x01, 0x00};
        for (FrameRecord f : {Q931Frame({0x01, 0x01}, 0x05, n123), Q931Frame({0x01, 0x02}, 0x05, n1234),
                              Q931Frame({0x01, 0x81}, 0x07, {}), FcsFrame(rr), Q931Frame({0x01, 0x01}, 0x05, n123),
                              FcsFrame(rr, FrameRecord::kTx, false), Q931Frame({0x01, 0x81}, 0x45, {}),
                              Q931Frame({0x01, 0x03}, 0x05, HexBytes("1803A19601 6C02A15C"))})
            window.store.Add(f, true);
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : window.boxes) texts.push_back(box.caption + ":" + box.text);
        window.boxes.clear();
        return texts;
    }
    std::string NotFound() const { return Sjis("検索結果:指定の文字列は見つかりませんでした。"); }

    TempFolder dir;
    FakeWindow window{dir.Slash()};  // row 1 selected
    SearchCommands commands{window, window, window};
};

}  // namespace

TEST_F(SearchCommandsTest, FindAndFindNextSelectTheFrameOrKeepTheRow) {
    Answered([&] { commands.FindMenuClick(); }, {SearchFor("発番号=\"123\"")});
    EXPECT_EQ(window.selectedRow, 1);  // from the cursor: the current row itself
    commands.FindNextMenuClick();
    EXPECT_EQ(window.selectedRow, 5);  // 1234 is no hit
    commands.FindNextMenuClick();
    EXPECT_EQ(std::tuple(Boxes(), window.selectedRow), std::tuple(std::vector<std::string>{NotFound()}, 5));
    // A character CP932 cannot hold finds nothing, not a "?"; whole match never matches a field.
    Answered([&] { commands.FindMenuClick(); }, {SearchFor("발")});
    Answered([&] { commands.FindMenuClick(); }, {SearchFor("000004", true)});
    EXPECT_EQ(Boxes(), (std::vector<std::string>{NotFound(), NotFound()}));
    // Every search joins the history, find next too.
    EXPECT_EQ(commands.SearchDlg().TextBox()->count(), 5);
    // What an input method types for 〜 and ¥, which CP932 takes one way only, finds the row.
    for (const char* text : {"CH=1〜6", "発番号=\"¥\""}) Answered([&] { commands.FindMenuClick(); }, {SearchFor(text)});
    EXPECT_EQ(std::tuple(Boxes(), window.selectedRow), std::tuple(std::vector<std::string>{}, 8));
    commands.SearchDlg().TextBox()->setEditText(QString::fromUtf8("−"));  // MINUS SIGN, 0x817C
    const SearchRequest minus = commands.SearchDlg().Request(false);
    EXPECT_EQ(std::tuple(minus.text, minus.textUsable), std::tuple(std::string("\x81\x7C"), true));
}

TEST_F(SearchCommandsTest, TheProgressWindowCancelsWhileTheOwnerIsDisabled) {
    for (FrameRecord r = FcsFrame({0x00, 0x01, 0x01, 0x00}); window.store.Count() < 30000;) window.store.Add(r, true);
    window.selectedRow = 3;
    TSearchNowDlg& progress = commands.SearchNowDlg();
    bool clicked = false;
    QTimer::singleShot(50, [&] {
        const bool counting = progress.Label()->text().startsWith(QStringLiteral("INDEX=0"));
        EXPECT_EQ(std::tuple(window.owner.isEnabled(), progress.isVisible(), counting), std::tuple(false, true, true));
        QObject::connect(progress.CancelButton(), &QPushButton::clicked, [&] { clicked = true; });
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    });
    Answered([&] { commands.FindMenuClick(); }, {SearchFor("no such text")});
    EXPECT_EQ(Boxes(), std::vector<std::string>{NotFound()});
    EXPECT_EQ(std::tuple(clicked, window.selectedRow, window.owner.isEnabled(), progress.isVisible()),
              std::tuple(true, 3, true, false));
}

TEST_F(SearchCommandsTest, BatchSearchListsTheMatchesAndOpensTheirDetail) {
    window.selectedRow = 6;
    const Step inResult = [&](QDialog& d) {
        auto& result = static_cast<TSearchResultDlg&>(d);
        // Backward from row 6: the six matches under a header row.
        EXPECT_EQ(result.Grid()->RowCount(), 7);
        EXPECT_EQ(result.Grid()->ColWidth(1), result.width() / 2 - 8);
        EXPECT_EQ(result.Grid()->Heights().Lines(1), 1);  // the user's INDEX column only
        result.Grid()->SetRow(6);
        QTest::keyClick(result.Grid(), Qt::Key_Return);
        EXPECT_EQ(Boxes(), std::vector<std::string>{Sjis("誤操作:ＣＲＣエラーのデータは詳細表示できません。")});
        result.Grid()->SetRow(1);
        QTest::keyClick(result.Grid(), Qt::Key_Return);
        d.reject();
    };
    commands.SearchDlg().DirectionButton(1)->setChecked(true);
    Answered([&] { commands.BatchSearchMenuClick(); }, {SearchFor("00000"), inResult});
    EXPECT_EQ(std::tuple(window.details, window.selectedRow), std::tuple(std::vector<int32_t>{0}, 6));  // the good frame's only
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
    Answered([&] { commands.NumberSearchMenuClick(); }, {typed, press(false), press(false), press(true), inResult});
    EXPECT_EQ(related, (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(Boxes(), std::vector<std::string>{NotFound()});  // the third: no third 123
    // Listed from the SETUP at 4: itself and its DISCONNECT.
    EXPECT_EQ(std::tuple(listed, window.selectedRow), std::tuple(std::deque<uint32_t>{4, 6}, 5));
}

TEST_F(SearchCommandsTest, GoToChecksTheTextAndWalksByIndexValue) {
    for (size_t i = 0; i < window.store.Count(); ++i) window.store.At(i).SetIndex(static_cast<int32_t>(100 + i));
    const auto enter = [](std::vector<const char*> texts) {
        return [texts](QDialog& d) {
            for (const char* text : texts) {
                static_cast<TGoToDlg&>(d).IndexBox()->setEditText(QString::fromUtf8(text));
                d.accept();
            }
        };
    };
    Answered([&] { commands.GotoIndexMenuClick(); }, {enter({"", "-3", "abc", "103"})});  // each check's box
    const std::string empty = Sjis("入力エラー:移動するINDEXを入力してください"),
                      negative = Sjis("入力エラー:INDEXには正の数を入力してください"),
                      nan = Sjis("入力エラー:INDEXは数値で入力してください");
    EXPECT_EQ(std::tuple(Boxes(), window.selectedRow), std::tuple(std::vector<std::string>{empty, negative, nan}, 4));
    Answered([&] { commands.GotoIndexMenuClick(); }, {enter({"3"})});  // INDEX 3 is position 3, but no record has it
    EXPECT_EQ(std::tuple(window.selectedRow, commands.GoToDlg().IndexBox()->count()), std::tuple(4, 2));
}
