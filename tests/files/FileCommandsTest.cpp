// The trace file and display image commands of the main window, driven
// through its menu with the real dialogs: open, save, cancel, failures.
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "decode/DetailDecoder.h"
#include "detail/DetailEntries.h"
#include "files/TProgressBarDlg.h"
#include "files/TraceFile.h"
#include "files/TraceFileCommands.h"
#include "tests/support/MainFormSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "ui/TDrawGrid.h"

using namespace testsupport;

namespace {

// Acts on the modal windows that come up while it lives: each step once,
// in order of the windows' kinds; a question box, whenever it comes, is
// answered yes (a save over an existing file).
class DialogDriver {
public:
    DialogDriver() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }
    template <typename W>
    DialogDriver& On(std::function<void(W&)> act) {
        steps_.push_back([act](QWidget* w) {
            auto* window = qobject_cast<W*>(w);
            // Queued: an action may open a window of its own, and this
            // timer does not fire again until its handler has returned.
            if (window) QTimer::singleShot(0, window, [act, window] { act(*window); });
            return window != nullptr;
        });
        return *this;
    }
    // The file dialog takes path.
    DialogDriver& Choose(const std::string& path) {
        return On<QFileDialog>([path](QFileDialog& d) {
            d.selectFile(QString::fromStdString(path));
            static_cast<QDialog&>(d).accept();  // as the dialog's own button does
        });
    }
    DialogDriver& CancelProgress() {
        return On<TProgressBarDlg>([](TProgressBarDlg& d) { d.CancelButton()->click(); });
    }

private:
    void Tick() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(w)) QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Yes)->click(); });
        for (auto it = steps_.begin(); w && it != steps_.end(); ++it)
            if ((*it)(w)) {
                steps_.erase(it);
                return;
            }
    }
    QTimer timer_;
    std::vector<std::function<bool(QWidget*)>> steps_;
};

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

    TempFolder dir;
    DialogDriver driver;
    TestForm form{FormSetup(dir.Slash(), 40, false, false)};
};

}  // namespace

TEST_F(FileCommands, OpenLoadsTheFileShowsItsNameAndRecountsTheRows) {
    form.Options().SetDisplayOptions(Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8));
    form.DisplayOptionsChanged();
    WriteFile(Path("a.vkt"), Trace(3, "INDEX=000123\r\n"));
    driver.Choose(Path("a.vkt"));
    const auto start = std::chrono::steady_clock::now();
    form.Menu().open->trigger();
    // The progress window stayed up its half second.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
    ExpectBoxes({});
    EXPECT_EQ(Indexes(), (std::vector<int32_t>{123, 124, 125}));
    EXPECT_TRUE(form.Store().At(1).IsRx());
    EXPECT_TRUE(form.DrawingEnabled());
    EXPECT_EQ(form.DrawGrid1()->RowCount(), 4);
    EXPECT_EQ(form.DrawGrid1()->Heights().Lines(0), 2);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(Path("a.vkt")));

    // INDEX 123 again, now a record of 24 octets: its row is counted anew.
    WriteFile(Path("b.vkt"), "INDEX=000123\r\nTX[00:00:00.000]0201" + std::string(40, 'A') + "\r\n");
    driver.Choose(Path("b.vkt"));
    form.Menu().tbOpen->trigger();
    ASSERT_EQ(Indexes(), std::vector<int32_t>{123});
    EXPECT_EQ(form.DrawGrid1()->Heights().Lines(0), 4);

    // A named pipe is no trace file: refused at once, the store kept.
    ASSERT_EQ(::mkfifo(Path("pipe.vkt").c_str(), 0600), 0);
    driver.Choose(Path("pipe.vkt"));
    form.Menu().open->trigger();
    ExpectBoxes({{"ファイル[" + Path("pipe.vkt") + "]が\n見つかりません。", "読み込み失敗"}});
    EXPECT_EQ(Indexes(), std::vector<int32_t>{123});
}

TEST_F(FileCommands, LoadsAndSavesEndByCancelOrFailureWithTheirMessages) {
    // Cancelled: the records read so far stay, the name is not shown.
    WriteFile(Path("big.vkt"), Trace(20000));
    driver.Choose(Path("big.vkt")).CancelProgress();
    form.Menu().open->trigger();
    ExpectBoxes({{"読み込み処理をキャンセルしました。", "読み込み中止"}});
    EXPECT_TRUE(form.DrawingEnabled());
    EXPECT_TRUE(form.StatusPanel(2)->text().isEmpty());

    // More than the store holds: the window closes by itself with the
    // failure, the buffer-full box follows, and no run means no state change.
    WriteFile(Path("full.vkt"), Trace(30001));
    driver.Choose(Path("full.vkt"));
    form.Menu().open->trigger();
    ExpectBoxes({{"読み込み処理に失敗しました。", "読み込み失敗"}});
    Pump();
    ExpectBoxes({{"記憶できる件数を超えました。", "バッファフル"}});
    EXPECT_EQ(form.Store().Count(), 30000u);
    EXPECT_EQ(form.CurrentUiState(), UiStates::kNoDevice);

    // A cancelled save and one that fills the disk leave the old file whole.
    const std::string old = Path("old.vkt");
    WriteFile(old, "old contents");
    driver.Choose(old).CancelProgress();
    form.Menu().save->trigger();
    ExpectBoxes({{"保存処理をキャンセルしました。", "保存中止"}});
    driver.Choose(old);
    EXPECT_TRUE(WithFileSizeLimit(100000, [&] {
        form.Menu().save->trigger();
        return true;
    }));
    ExpectBoxes({{"保存処理に失敗しました。", "保存失敗"}});
    EXPECT_EQ(ReadFile(old), "old contents");
    // A folder nobody may write in.
    driver.Choose("/proc/trace.vkt");
    form.Menu().save->trigger();
    ExpectBoxes({{"ファイルが作成できません。", "保存失敗"}});
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 5u);  // velk.opt and the four trace files: no temporary left
}

TEST_F(FileCommands, SaveWritesTheStoreUnderTheDefaultSuffix) {
    form.Menu().save->trigger();
    ExpectBoxes({{"保存するデータはありません。", "保存"}});
    const std::string text = Trace(50, "INDEX=000007\r\n");
    ASSERT_EQ(TraceFile::LoadText(form.Store(), text, std::atomic<bool>{false}), TraceFile::kLoaded);
    driver.Choose(Path("kept"));
    form.Menu().tbSave->trigger();
    ExpectBoxes({});
    EXPECT_EQ(ReadFile(Path("kept.vkt")), text);
    EXPECT_EQ(form.StatusPanel(2)->toolTip(), QString::fromStdString(Path("kept.vkt")));
    // Saving again shows no other name over it.
    driver.Choose(Path("again.vkt"));
    form.Menu().save->trigger();
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
    std::vector<std::string> entries;
    ASSERT_TRUE(DetailEntries::Build(opened, o, MessageCatalogue::Program(), entries));

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

    driver.Choose(Path("image"));
    form.Menu().exportImage->trigger();
    ExpectBoxes({});
    const std::string image = ReadFile(Path("image.txt"));
    EXPECT_NE(image.find(Sjis("ｲﾝﾎﾞｰｸ識別子")), std::string::npos);
    EXPECT_EQ(image, ReadFile(Path("dump.txt")));

    driver.Choose("/proc/image.txt");
    form.Menu().exportImage->trigger();
    ExpectBoxes({{"指定のファイルに保存できませんでした。", "異常"}});
}
