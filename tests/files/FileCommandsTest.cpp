// The trace file and display image commands over a fake window, with the
// real dialogs: open, save, cancel, failures.
#include <sys/stat.h>

#include <QMessageBox>
#include <QPushButton>

#include <filesystem>

#include <gtest/gtest.h>

#include "detail/TL3Form1.h"
#include "decode/MessageCatalogue.h"
#include "files/DetailEntrySource.h"
#include "files/DisplayImageCommand.h"
#include "files/ListExport.h"
#include "files/TProgressBarDlg.h"
#include "files/TraceFile.h"
#include "files/TraceFileCommands.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeWindow.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

using Step = DialogDriver::Step;
// The progress window left to close by itself.
const Step kWait = [](QDialog&) {};
Step Choose(const std::string& path) { return DialogDriver::ChooseFile(path); }

// The header, then count records, one a line (what a record's text holds is TraceFile's).
std::string Trace(int count, const std::string& header = "") {
    std::string text = header;
    for (int i = 0; i < count; ++i) text += "TX[00:00:01.000]0201\r\n";
    return text;
}

class FileCommands : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.Slash() + name; }
    // The boxes shown since the last call: texts and captions in UTF-8.
    void ExpectBoxes(const std::vector<std::pair<std::string, std::string>>& want) {
        std::vector<std::pair<std::string, std::string>> shown, sjis;
        for (const auto& box : window.boxes) shown.emplace_back(box.text, box.caption);
        for (const auto& [text, caption] : want) sjis.emplace_back(Sjis(text), Sjis(caption));
        EXPECT_EQ(shown, sjis);
        window.boxes.clear();
    }
    // The store's size and its first INDEX.
    std::tuple<size_t, int32_t> Loaded() { return {window.store.Count(), window.store.At(0).Index()}; }

    TempFolder dir;
    FakeWindow window{dir.Slash()};
    TraceFileCommands commands{window, window, window};
    const std::function<void()> open = [this] { commands.FileOpenMenuClick(); };
    const std::function<void()> save = [this] { commands.FileSaveMenuClick(); };
};

}  // namespace

TEST_F(FileCommands, OpenLoadsTheFileShowsItsNameAndHasTheRowsCountedAgain) {
    WriteFile(Path("a.vkt"), Trace(3, "INDEX=000123\r\n"));
    Answered(open, {Choose(Path("a.vkt")), kWait});
    // The progress window stayed up its five ticks.
    EXPECT_GE(commands.ProgressBarDlg().Ticks(), TProgressBarDlg::kMinimumTicks);
    ExpectBoxes({});
    EXPECT_EQ(Loaded(), std::tuple(3u, 123));
    // No drawing while the store is replaced; every row counted again after it.
    EXPECT_EQ(std::tuple(window.drawingChanges, window.refreshes), std::tuple(std::vector{false, true}, std::vector{false, true}));
    EXPECT_EQ(window.fileName, QString::fromStdString(Path("a.vkt")));

    // A named pipe is no trace file: refused at once, the store kept.
    ASSERT_EQ(::mkfifo(Path("pipe.vkt").c_str(), 0600), 0);
    Answered(open, {Choose(Path("pipe.vkt"))});
    ExpectBoxes({{"ファイル[" + Path("pipe.vkt") + "]が\n見つかりません。", "読み込み失敗"}});
    EXPECT_EQ(Loaded(), std::tuple(3u, 123));
}

TEST_F(FileCommands, LoadsAndSavesEndByCancelOrFailureWithTheirMessages) {
    // Cancelled (Esc): the records read so far stay, the name is not shown.
    WriteFile(Path("big.vkt"), Trace(20000));
    Answered(open, {Choose(Path("big.vkt")), DialogDriver::Reject()});
    ExpectBoxes({{"読み込み処理をキャンセルしました。", "読み込み中止"}});
    EXPECT_EQ(std::tuple(window.drawing, window.fileName), std::tuple(true, QString()));

    // More than the store holds: the window closes by itself with the
    // failure, and the buffer-full notification follows.
    WriteFile(Path("full.vkt"), Trace(30001));
    Answered(open, {Choose(Path("full.vkt")), kWait});
    ExpectBoxes({{"読み込み処理に失敗しました。", "読み込み失敗"}});
    EXPECT_EQ(std::tuple(window.notifications, window.store.Count()), std::tuple(std::vector{DialogHost::kBufferFull}, size_t{30000}));

    // A cancelled save (ｷｬﾝｾﾙ) and one that fills the disk leave the old file whole.
    const std::string old = Path("old.vkt");
    WriteFile(old, "old contents");
    const Step yes = DialogDriver::Press(QMessageBox::Yes);
    const Step cancel = [](QDialog& d) { static_cast<TProgressBarDlg&>(d).CancelButton()->click(); };
    Answered(save, {Choose(old), yes, cancel});
    ExpectBoxes({{"保存処理をキャンセルしました。", "保存中止"}});
    WithFileSizeLimit(100000, [&] {
        Answered(save, {Choose(old), yes, kWait});
        return true;
    });
    ExpectBoxes({{"保存処理に失敗しました。", "保存失敗"}});
    EXPECT_EQ(ReadFile(old), "old contents");
    // A folder nobody may write in.
    Answered(save, {Choose("/proc/trace.vkt")});
    ExpectBoxes({{"ファイルが作成できません。", "保存失敗"}});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);  // the trace files, no temporary
}

TEST_F(FileCommands, SaveWritesTheStoreUnderTheDefaultSuffix) {
    save();
    ExpectBoxes({{"保存するデータはありません。", "保存"}});
    const std::string text = Trace(50, "INDEX=000007\r\n");
    ASSERT_EQ(TraceFile::LoadText(window.store, text, std::atomic<bool>{false}), TraceFile::kLoaded);
    Answered(save, {Choose(Path("kept")), kWait});
    ExpectBoxes({});
    const QString kept = QString::fromStdString(Path("kept.vkt"));
    EXPECT_EQ(std::tuple(ReadFile(Path("kept.vkt")), window.fileName), std::tuple(text, kept));
    // Saving again shows no other name over it.
    Answered(save, {Choose(Path("again.vkt")), kWait});
    EXPECT_EQ(std::tuple(ReadFile(Path("again.vkt")), window.fileName), std::tuple(text, kept));
}

// The list export gives velkdump's bytes for the same store and options
// (the export core's, Velkdump.ExportsWithTheOptionsAndNamesBesideIt),
// whatever facility frames the user looked at before.
TEST_F(FileCommands, DisplayImageIsWhatVelkdumpWrites) {
    DisplayImageCommand command(window, window);
    command.ExportDisplayImage();
    ExpectBoxes({{"保存するデータはありません。", "保存"}});

    DisplayOptions o = OptionData::DefaultDisplayOptions();
    o.exportDetail = o.indent = o.showTitles = o.showIcons = o.showSeparators = 1;
    window.options.SetDisplayOptions(o);
    auto facility = [](std::vector<uint8_t> contents) {
        contents.insert(contents.begin(), {0x1C, static_cast<uint8_t>(contents.size())});
        return Q931Frame(0x62, contents);
    };
    FrameRecord opened = facility({0x91, 0xA1, 0x03, 0x02, 0x01, 0x05});
    window.store.Take(facility({0x91, 0xA1, 0x03, 0x30, 0x01, 0x09}), true);  // a later frame first
    window.store.Add(opened, true);
    // The bytes before any facility frame was decoded, as velkdump starts.
    const MessageCatalogue& names = MessageCatalogue::Program();
    DetailEntrySource fresh(names);
    bool ok = false;
    const std::string dump = Written([&](int fd) { return ListExport::ExportList(window.store, o, names, fresh, fd); }, ok);
    TL3Form1 detail(window.owner, o, opened);  // what it decodes stays with the program's decoder

    Answered([&] { command.ExportDisplayImage(); }, {Choose(Path("image"))});
    ExpectBoxes({});
    const std::string image = ReadFile(Path("image.txt"));
    EXPECT_NE(image.find(Sjis("ｲﾝﾎﾞｰｸ識別子")), std::string::npos);
    EXPECT_EQ(image, dump);

    Answered([&] { command.ExportDisplayImage(); }, {Choose("/proc/image.txt")});
    ExpectBoxes({{"指定のファイルに保存できませんでした。", "異常"}});
}
