// The trace file and display image commands of the main window, driven
// through its menu with the real dialogs: open, save, cancel, failures.
#include <sys/stat.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <filesystem>

#include <gtest/gtest.h>

#include "detail/TL3Form1.h"
#include "files/TProgressBarDlg.h"
#include "files/TraceFile.h"
#include "files/TraceFileCommands.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "ui/TDrawGrid.h"

using namespace testsupport;

namespace {

using Step = DialogDriver::Step;
// The progress window left to close by itself.
const Step kWait = [](QDialog&) {};
Step Choose(const std::string& path) { return DialogDriver::ChooseFile(path); }

// Records "TX[00:00:01.000]" + the octets (no flags), one a line.
std::string Trace(int count, const std::string& header = "") {
    std::string text = header;
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%cX[00:%02d:%02d.%03d]0201%02X%02X\r\n", i % 2 ? 'R' : 'T', i / 60000 % 60,
                      i / 1000 % 60, i % 1000, (i * 2) & 0xFF, i & 0xFF);
        text += line;
    }
    return text;
}

class FileCommands : public ::testing::Test {
protected:
    FileCommands() { form.show(); }
    std::string Path(const char* name) const { return dir.Slash() + name; }
    // The boxes shown since the last call: texts and captions in UTF-8.
    void ExpectBoxes(const std::vector<std::pair<std::string, std::string>>& want) {
        ASSERT_EQ(form.boxes.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(form.boxes[i].text, Sjis(want[i].first)) << i;
            EXPECT_EQ(form.boxes[i].caption, Sjis(want[i].second)) << i;
        }
        form.boxes.clear();
    }
    std::vector<int32_t> Indexes() {
        std::vector<int32_t> out;
        for (size_t i = 0; i < form.Store().Count(); ++i) out.push_back(form.Store().At(i).Index());
        return out;
    }

    // Triggers the menu entry with the dialogs it opens answered in turn.
    void Run(QAction* entry, std::vector<Step> steps) {
        DialogDriver driver(std::move(steps));
        entry->trigger();
    }

    TempFolder dir;
    TestForm form{FormSetup(dir.Slash(), 40, false, false)};
};

}  // namespace

TEST_F(FileCommands, OpenLoadsTheFileShowsItsNameAndRecountsTheRows) {
    form.Options().SetDisplayOptions(Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8));
    form.DisplayOptionsChanged();
    WriteFile(Path("a.vkt"), Trace(3, "INDEX=000123\r\n"));
    Run(form.Menu().open, {Choose(Path("a.vkt")), kWait});
    // The progress window stayed up its five ticks.
    EXPECT_GE(form.Commands().Get<TraceFileCommands>().ProgressBarDlg().Ticks(), TProgressBarDlg::kMinimumTicks);
    ExpectBoxes({});
    EXPECT_EQ(Indexes(), (std::vector<int32_t>{123, 124, 125}));
    EXPECT_TRUE(form.Store().At(1).IsRx());
    EXPECT_TRUE(form.DrawingEnabled());
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 4);
    EXPECT_EQ(form.DrawGrid1()->Heights().Lines(0), 2);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(Path("a.vkt")));

    // INDEX 123 again, now a record of 24 octets: its row is counted anew.
    WriteFile(Path("b.vkt"), "INDEX=000123\r\nTX[00:00:00.000]0201" + std::string(40, 'A') + "\r\n");
    Run(form.Menu().tbOpen, {Choose(Path("b.vkt")), kWait});
    ASSERT_EQ(Indexes(), std::vector<int32_t>{123});
    EXPECT_EQ(form.DrawGrid1()->Heights().Lines(0), 4);

    // A named pipe is no trace file: refused at once, the store kept.
    ASSERT_EQ(::mkfifo(Path("pipe.vkt").c_str(), 0600), 0);
    Run(form.Menu().open, {Choose(Path("pipe.vkt"))});
    ExpectBoxes({{"ファイル[" + Path("pipe.vkt") + "]が\n見つかりません。", "読み込み失敗"}});
    EXPECT_EQ(Indexes(), std::vector<int32_t>{123});
}

TEST_F(FileCommands, LoadsAndSavesEndByCancelOrFailureWithTheirMessages) {
    // Cancelled (Esc): the records read so far stay, the name is not shown.
    WriteFile(Path("big.vkt"), Trace(20000));
    Run(form.Menu().open, {Choose(Path("big.vkt")), DialogDriver::Reject()});
    ExpectBoxes({{"読み込み処理をキャンセルしました。", "読み込み中止"}});
    EXPECT_TRUE(form.DrawingEnabled());
    EXPECT_TRUE(form.StatusPanel(2)->text().isEmpty());

    // More than the store holds: the window closes by itself with the
    // failure, the buffer-full box follows, and no run means no state change.
    WriteFile(Path("full.vkt"), Trace(30001));
    Run(form.Menu().open, {Choose(Path("full.vkt")), kWait});
    ExpectBoxes({{"読み込み処理に失敗しました。", "読み込み失敗"}});
    Pump();
    ExpectBoxes({{"記憶できる件数を超えました。", "バッファフル"}});
    EXPECT_EQ(form.Store().Count(), 30000u);
    EXPECT_EQ(form.CurrentUiState(), UiStates::kNoDevice);

    // A cancelled save (ｷｬﾝｾﾙ) and one that fills the disk leave the old file whole.
    const std::string old = Path("old.vkt");
    WriteFile(old, "old contents");
    const Step yes = DialogDriver::Press(QMessageBox::Yes);
    const Step cancel = [](QDialog& d) { static_cast<TProgressBarDlg&>(d).CancelButton()->click(); };
    Run(form.Menu().save, {Choose(old), yes, cancel});
    ExpectBoxes({{"保存処理をキャンセルしました。", "保存中止"}});
    WithFileSizeLimit(100000, [&] {
        Run(form.Menu().save, {Choose(old), yes, kWait});
        return true;
    });
    ExpectBoxes({{"保存処理に失敗しました。", "保存失敗"}});
    EXPECT_EQ(ReadFile(old), "old contents");
    // A folder nobody may write in.
    Run(form.Menu().save, {Choose("/proc/trace.vkt")});
    ExpectBoxes({{"ファイルが作成できません。", "保存失敗"}});
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 4u);  // velk.opt and the three trace files: no temporary left
}

TEST_F(FileCommands, SaveWritesTheStoreUnderTheDefaultSuffix) {
    form.Menu().save->trigger();
    ExpectBoxes({{"保存するデータはありません。", "保存"}});
    const std::string text = Trace(50, "INDEX=000007\r\n");
    ASSERT_EQ(TraceFile::LoadText(form.Store(), text, std::atomic<bool>{false}), TraceFile::kLoaded);
    Run(form.Menu().tbSave, {Choose(Path("kept")), kWait});
    ExpectBoxes({});
    EXPECT_EQ(ReadFile(Path("kept.vkt")), text);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(Path("kept.vkt")));
    // Saving again shows no other name over it.
    Run(form.Menu().save, {Choose(Path("again.vkt")), kWait});
    EXPECT_EQ(ReadFile(Path("again.vkt")), text);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(Path("kept.vkt")));
}

// The list export gives velkdump's bytes for the same file and options,
// whatever facility frames the user looked at before.
TEST_F(FileCommands, DisplayImageIsWhatVelkdumpWrites) {
    form.Menu().exportImage->trigger();
    ExpectBoxes({{"保存するデータはありません。", "保存"}});

    DisplayOptions o = OptionData::DefaultDisplayOptions();
    o.exportDetail = o.indent = o.showTitles = o.showIcons = o.showSeparators = 1;
    form.Options().SetDisplayOptions(o);
    auto facility = [](std::vector<uint8_t> contents) {
        contents.insert(contents.begin(), {0x1C, static_cast<uint8_t>(contents.size())});
        return Q931Frame(0x62, contents);
    };
    FrameRecord opened = facility({0x91, 0xA1, 0x03, 0x02, 0x01, 0x05});
    FrameRecord later = facility({0x91, 0xA1, 0x03, 0x30, 0x01, 0x09});
    form.Store().Add(later, true);
    form.Store().Add(opened, true);
    TL3Form1 window(form, o, opened);  // what it decodes stays with the program's decoder

    const std::string program = Path("program/");
    std::filesystem::create_directory(program);
    std::filesystem::copy_file(VelksimProcess::Program("velkdump"), program + "velkdump");
    std::filesystem::copy_file(std::filesystem::path(VelksimProcess::Program("velkdump")).parent_path() / "HDLC.msg",
                               program + "HDLC.msg");
    {
        OptionData file(program + "velk.opt", OptionData::kReadOnly);
        file.SetDisplayOptions(o);
        ASSERT_TRUE(file.Save());
    }
    const int fd = ::open(Path("t.vkt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_TRUE(TraceFile::SaveText(form.Store(), fd, std::atomic<bool>{false}));
    ::close(fd);
    ASSERT_EQ(RunProgram({program + "velkdump", Path("t.vkt"), "-o", Path("dump.txt")}, Path("out"), Path("err"), 30000), 0);

    Run(form.Menu().exportImage, {Choose(Path("image"))});
    ExpectBoxes({});
    const std::string image = ReadFile(Path("image.txt"));
    EXPECT_NE(image.find(Sjis("ｲﾝﾎﾞｰｸ識別子")), std::string::npos);
    EXPECT_EQ(image, ReadFile(Path("dump.txt")));

    Run(form.Menu().exportImage, {Choose("/proc/image.txt")});
    ExpectBoxes({{"指定のファイルに保存できませんでした。", "異常"}});
}
