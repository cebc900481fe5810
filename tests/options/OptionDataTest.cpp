#include "options/OptionData.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class OptionFile : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/velkoptXXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
        path_ = dir_ + "/velk.opt";
    }
    void TearDown() override { std::system(("rm -rf " + dir_).c_str()); }

    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& bytes) const {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    // A valid file whose block is all `fill` bytes.
    std::string ValidFile(char fill, size_t blockBytes = OptionData::kBlockSize) const {
        return OptionData::Signature() + std::string(2, '\0') + std::string(blockBytes, fill);
    }

    std::string dir_;
    std::string path_;
};

void ExpectDefaults(const OptionData& options) {
    MonitorOptions m;
    options.GetMonitorOptions(m);
    EXPECT_EQ(m.portIndex, 0);
    EXPECT_EQ(m.ringBuffer, 1);
    EXPECT_EQ(m.logFile, 0);
    EXPECT_EQ(m.voiceAutomatic, 0);
    DisplayOptions d;
    options.GetDisplayOptions(d);
    EXPECT_EQ(d, OptionData::DefaultDisplayOptions());
    WindowState w;
    options.GetWindowState(w);
    EXPECT_EQ(w, OptionData::DefaultWindowState());
}

}  // namespace

TEST_F(OptionFile, NoFileGivesDefaultsAndExitWritesTheFile) {
    {
        OptionData options(path_);
        EXPECT_FALSE(options.Load());
        ExpectDefaults(options);
        EXPECT_EQ(options.FilePath(), path_);
    }
    std::string file = Read();
    ASSERT_EQ(file.size(), 30u + 2u + 768u);
    EXPECT_EQ(file.substr(0, 30), std::string("this is velkscope option data\x1A"));
    EXPECT_EQ(file.substr(30, 2), std::string(2, '\0'));
    const std::string block = file.substr(32);
    // Little-endian fields at their offsets.
    EXPECT_EQ(block.substr(0, 4), std::string("\x00\x00\xFF\x00", 4));      // first-line colour
    EXPECT_EQ(block.substr(8, 4), std::string("\x02\x00\x00\x00", 4));      // first column id
    EXPECT_EQ(block.substr(8 + 4 * 12, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(block[208], 16);                                              // data split
    EXPECT_EQ(block.substr(232, 4), std::string("\x00\x80\x80\x00", 4));    // lamp inactive
    EXPECT_EQ(block[242], 1);                                               // export detail
    EXPECT_EQ(block.substr(244, 12), std::string(12, '\0'));
    EXPECT_EQ(block.substr(256, 8), std::string("\x00\x00\x00\x00\x00\x01\x00\x00", 8));
    EXPECT_EQ(block[512], 1);                                               // tool bar
    EXPECT_EQ(block.substr(516, 4), std::string("\x80\x02\x00\x00", 4));    // width 640
    EXPECT_EQ(block.substr(532, 8), std::string("\x38\x01\x00\x00\x38\x01\x00\x00", 8));
    EXPECT_EQ(block.substr(540), std::string(228, '\0'));

    // Read back: accepted, same values.
    OptionData again(path_, OptionData::kReadOnly);
    EXPECT_TRUE(again.Load());
    ExpectDefaults(again);
}

TEST_F(OptionFile, RecordsRoundTripThroughTheFile) {
    {
        OptionData options(path_);
        DisplayOptions d;
        options.GetDisplayOptions(d);
        d.columnOrder = {};
        d.columnOrder.fill(-1);
        d.columnOrder[0] = 8;
        d.dataSplit = 32;
        d.errorColour = 0x123456;
        d.searchHiddenText = 1;
        options.SetDisplayOptions(d);
        MonitorOptions m{3, 1, 1, 1, 0};
        options.SetMonitorOptions(m);
        WindowState w{0, {}, 800, 600, -20, 35, 400, 100};
        options.SetWindowState(w);
    }
    OptionData loaded(path_, OptionData::kReadOnly);
    DisplayOptions d;
    loaded.GetDisplayOptions(d);
    EXPECT_EQ(d.columnOrder[0], 8);
    EXPECT_EQ(d.columnOrder[1], -1);
    EXPECT_EQ(d.dataSplit, 32);
    EXPECT_EQ(d.errorColour, 0x123456u);
    MonitorOptions m;
    loaded.GetMonitorOptions(m);
    EXPECT_EQ(m, (MonitorOptions{3, 1, 1, 1, 0}));
    WindowState w;
    loaded.GetWindowState(w);
    EXPECT_EQ(w.top, -20);
    EXPECT_EQ(w.secondColumnWidth, 100);
}

TEST_F(OptionFile, UntouchedBytesSurviveByteForByte) {
    Write(ValidFile('\x5A'));
    {
        OptionData options(path_);
        EXPECT_TRUE(options.Load());
        // Copying records out and back in changes nothing, padding included.
        DisplayOptions d;
        options.GetDisplayOptions(d);
        options.SetDisplayOptions(d);
        WindowState w;
        options.GetWindowState(w);
        options.SetWindowState(w);
    }
    EXPECT_EQ(Read(), ValidFile('\x5A'));
}

TEST_F(OptionFile, RejectedFilesGiveDefaults) {
    std::string wrongSignature = ValidFile('\x01');
    wrongSignature[5] ^= 0x20;
    std::string major1 = ValidFile('\x01');
    major1[30] = 1;
    std::string minor1 = ValidFile('\x01');
    minor1[31] = 1;
    for (const std::string& bytes :
         {wrongSignature, major1, minor1, OptionData::Signature(), std::string("this is"),
          std::string()}) {
        Write(bytes);
        OptionData options(path_, OptionData::kReadOnly);
        EXPECT_FALSE(options.Load());
        ExpectDefaults(options);
    }
}

TEST_F(OptionFile, ShortBlockKeepsTheBaseStateAndLongFileIsCut) {
    // 100 bytes of block: the colours and the first column ids come from the
    // file, the rest of the block stays as it was before reading.
    Write(ValidFile('\0', 100));
    OptionData options(path_, OptionData::kReadOnly);
    EXPECT_TRUE(options.Load());
    DisplayOptions d;
    options.GetDisplayOptions(d);
    EXPECT_EQ(d.columnOrder[12], 0);   // from the file (base state has 12 here)
    EXPECT_EQ(d.columnOrder[22], 0);   // the last id the 100 bytes hold
    EXPECT_EQ(d.columnOrder[23], -1);  // base state
    EXPECT_EQ(d.dataSplit, 0);
    WindowState w;
    options.GetWindowState(w);
    EXPECT_EQ(w.toolBarShown, 0);
    EXPECT_EQ(w.width, 640);
    EXPECT_EQ(w.firstColumnWidth, 312);

    Write(ValidFile('\x07') + "trailing bytes");
    OptionData longer(path_, OptionData::kReadOnly);
    EXPECT_TRUE(longer.Load());
    EXPECT_EQ(longer.Block()[767], 7);
}

TEST_F(OptionFile, FailedSaveLeavesTheOldFileWhole) {
    Write(ValidFile('\x11'));
    {
        OptionData options(path_, OptionData::kReadOnly);
        // A disk that fills half-way through the write: the old file stays.
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit tiny = old;
        tiny.rlim_cur = 100;
        auto previous = signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tiny);
        bool saved = options.Save();
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previous);
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(Read(), ValidFile('\x11'));
    // A path in a folder that does not exist: no file, no crash.
    OptionData nowhere(dir_ + "/missing/velk.opt", OptionData::kReadOnly);
    EXPECT_FALSE(nowhere.Save());
}

TEST(OptionData, ApplySearchColumns) {
    DisplayOptions d = OptionData::DefaultDisplayOptions();
    DisplayOptions untouched = d;
    OptionData::ApplySearchColumns(d);
    EXPECT_EQ(d, untouched);
    d.searchHiddenText = 1;
    OptionData::ApplySearchColumns(d);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(d.columnOrder[i], i);
    for (size_t i = 14; i < DisplayOptions::kColumnSlots; ++i) EXPECT_EQ(d.columnOrder[i], -1);
}
