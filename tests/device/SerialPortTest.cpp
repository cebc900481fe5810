// The ports folder and the port list, and one port on a pseudo-terminal.
#include "device/SerialPort.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

#include "device/ComPorts.h"
#include "tests/support/Poll.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"

using testsupport::WaitUntil;

namespace {

TEST(ComPorts, LinksFirstThenUartsThenAdaptersOnTheLowestFreeNumbers) {
    testsupport::TempFolder base;
    const ComPorts::Roots roots{base.Path() + "/ports/", base.Path() + "/dev/", base.Path() + "/sys/"};
    for (const std::string& f : {roots.portsFolder, roots.devFolder, roots.sysTtyFolder + "ttyS0/device",
                                 roots.sysTtyFolder + "ttyS3/device"})
        std::filesystem::create_directories(f);
    // ttyS0 has a device folder but is no UART, ttyS3 one that cannot be opened; a bare ttyUSB has no number;
    // COM012 is not how COM12 is written.
    ASSERT_EQ(symlink((base.Path() + "/gone").c_str(), (roots.devFolder + "ttyS3").c_str()), 0);
    for (const char* node : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyUSBx", "ttyUSB"})
        std::ofstream(roots.devFolder + node).put('x');
    std::ofstream(roots.portsFolder + "COM5").put('x');  // not a link
    const std::string s1 = std::filesystem::canonical(roots.devFolder + "ttyS1");
    for (const char* link : {"COM1", "COM012", "COM12", "COMx", "COM0", "COM9"})
        ASSERT_EQ(symlink(s1.c_str(), (roots.portsFolder + link).c_str()), 0);
    ASSERT_EQ(symlink((base.Path() + "/gone").c_str(), (roots.portsFolder + "COM3").c_str()), 0);  // stale, still COM3
    const std::vector<ComPortEntry> expected = {{1, s1}, {2, roots.devFolder + "ttyUSB2"},
        {3, roots.portsFolder + "COM3"}, {4, roots.devFolder + "ttyUSB10"}, {5, roots.devFolder + "ttyACM0"}, {9, s1}, {12, s1}};
    EXPECT_EQ(ComPorts::List(roots), expected);
    // Opening a number goes where the list says.
    const std::pair<int, std::string> paths[] = {{0, roots.portsFolder + "COM1"}, {1, roots.devFolder + "ttyUSB2"},
        {2, roots.portsFolder + "COM3"}, {4, roots.devFolder + "ttyACM0"}, {11, roots.portsFolder + "COM12"},
        {5, roots.devFolder + "ttyS5"}, {-1, ""}};
    for (const auto& [index, path] : paths) EXPECT_EQ(ComPorts::DevicePath(index, roots), path) << index;
}

// COM1 on a pseudo-terminal, opened, lines ending in CR.
class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        TestPorts::Link(1, pty_.slavePath);
        port_.SetTerminator(kCrLf, 1);
        ASSERT_TRUE(port_.Open(0));
    }
    void TearDown() override { TestPorts::Unlink(1); }

    // Writes `bytes` as the device; once they are all queued, the line
    // ReadLine hands out (1024 bytes at most) and the bytes still queued.
    std::string LineAfter(const std::string& bytes) {
        const size_t all = port_.Queued() + bytes.size();
        pty_.Write(bytes);
        EXPECT_TRUE(WaitUntil([&] { return port_.ReadLine(nullptr, 0) == 0 && port_.Queued() == all; }));
        std::string out(1024, '\0');
        out.resize(port_.ReadLine(reinterpret_cast<uint8_t*>(out.data()), out.size()));
        return out + "|" + std::to_string(port_.Queued());
    }

    static constexpr uint8_t kCrLf[] = {0x0D, 0x0A};
    PtyPair pty_;
    SerialPort port_;
};

TEST_F(SerialPortOnPty, OpensRaw8N1At9600SendsWithTheTerminatorAndOnlyRatesChange) {
    struct termios tio {};
    ASSERT_EQ(tcgetattr(pty_.slave, &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ((tio.c_iflag & (IXON | IXOFF | ICRNL)) | (tio.c_lflag & (ICANON | ECHO)) | (tio.c_oflag & OPOST), 0u);
    for (int bad : {3, 10, 16, -1}) {
        EXPECT_FALSE(port_.SetBaudCode(bad)) << bad;
        EXPECT_EQ(port_.BaudCode(), SerialPort::kBaud9600) << bad;
    }
    EXPECT_TRUE(port_.SetBaudCode(SerialPort::kBaud38400));
    EXPECT_EQ(pty_.SlaveSpeed(), B38400);
    EXPECT_TRUE(port_.SetBaudCode(SerialPort::kBaud1200));
    EXPECT_EQ(pty_.SlaveSpeed(), B1200);
    EXPECT_EQ(port_.Definition(), "COM1:1200, n, 8, 1");
    EXPECT_FALSE(port_.Open(-1));  // leaves the open port alone
    EXPECT_EQ(std::tuple(port_.IsOpen(), port_.PortIndex()), std::tuple(true, 0));
    ASSERT_TRUE(port_.Send("V"));
    EXPECT_EQ(pty_.Read(2), "V\r");
    bool refused = false;  // nobody reads: a write cannot finish in time
    for (int i = 0; i < 64 && !refused; ++i) refused = !port_.Send(std::string(4096, 'x'));
    EXPECT_TRUE(refused);
}

TEST_F(SerialPortOnPty, AHangUpFailsAWriteWaitingForRoom) {
    // Nobody reads, so the write soon waits; the device then goes away.
    std::thread hangUp([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        close(pty_.master);
        pty_.master = -1;
    });
    const std::string block(1 << 20, 'x');
    EXPECT_FALSE(port_.Write(reinterpret_cast<const uint8_t*>(block.data()), block.size()));
    hangUp.join();
    EXPECT_TRUE(port_.Vanished());
}

TEST_F(SerialPortOnPty, OpenIsExclusiveAndNamesFollowTheIndex) {
    SerialPort other;
    EXPECT_FALSE(other.Open(0));
    port_.Close();
    EXPECT_TRUE(other.Open(0));
    other.Close();
    int fd = open(pty_.slavePath.c_str(), O_RDWR | O_NOCTTY);  // another program holds the port
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(port_.Open(0));
    close(fd);
    // COM9, then "\\.\COM10" and up; links to nothing and numbers past COM128 do not open.
    for (int n : {9, 10}) TestPorts::Link(n, pty_.slavePath);
    TestPorts::Link(7, TestPorts::Folder() + "nowhere");
    ASSERT_TRUE(port_.Open(8));
    EXPECT_EQ(port_.Definition(), "COM9:9600, n, 8, 1");
    ASSERT_TRUE(port_.Open(9));
    EXPECT_EQ(port_.Definition(), "\\\\.\\COM10:9600, n, 8, 1");
    for (int index : {6, 127, 128}) EXPECT_FALSE(port_.Open(index)) << index;
    EXPECT_EQ(port_.PortIndex(), 127);
    uint8_t buf[16];
    EXPECT_EQ(std::tuple(port_.IsOpen(), port_.Read(buf, 16), port_.Send("V"), port_.ReadLine(buf, 16)),
              std::tuple(false, size_t{0}, false, size_t{0}));
    for (int n : {7, 9, 10}) TestPorts::Unlink(n);
}

// A device node removed while open, seen without a hang-up (a FIFO stands
// in for it); removing the COM link is no such loss.
TEST(SerialPort, ANodeThatGoesAwayIsAVanishedDevice) {
    testsupport::TempFolder dir;
    const std::string node = dir.Slash() + "ttyX";
    ASSERT_EQ(mkfifo(node.c_str(), 0600), 0);
    TestPorts::Link(3, node);
    SerialPort port;
    ASSERT_TRUE(port.Open(2));
    TestPorts::Unlink(3);
    for (bool gone : {false, true}) {
        if (gone) unlink(node.c_str());
        uint8_t buf[16];
        EXPECT_EQ((std::pair{port.Read(buf, 16), port.Vanished()}), std::pair(size_t{0}, gone));  // braced: read first
    }
}

TEST_F(SerialPortOnPty, ReadLineHandsOutWholeLinesOnly) {
    EXPECT_EQ(LineAfter("ABC"), "|3");
    EXPECT_EQ(LineAfter("D\rEF"), "ABCD\r|2");
    port_.Close();  // the queue survives reopening
    ASSERT_TRUE(port_.Open(0));
    EXPECT_EQ(LineAfter("\rA\rB\r"), "EF\r|4");
    EXPECT_EQ(LineAfter(""), "A\r|2");
    EXPECT_EQ(LineAfter(""), "B\r|0");
    const std::string line(1499, 'x');  // handed out in two pieces
    EXPECT_EQ(LineAfter(line + "\rnext"), line.substr(0, 1024) + "|480");
    EXPECT_EQ(port_.Pending(), 476u);
    EXPECT_EQ(LineAfter(""), line.substr(1024) + "\r|4");
    port_.SetTerminator(kCrLf, 2);  // split across reads
    EXPECT_EQ(LineAfter("X\rY\r"), "|8");
    EXPECT_EQ(LineAfter("\nZ"), "nextX\rY\r\n|1");
    EXPECT_EQ(LineAfter("A;B"), "|4");
    port_.SetTerminator(reinterpret_cast<const uint8_t*>(";"), 1);  // looked for in bytes scanned already
    EXPECT_EQ(LineAfter(""), "ZA;|1");
    EXPECT_EQ(LineAfter("CD"), "|3");
    port_.DiscardQueued();  // a line in what comes next is found from its start
    EXPECT_EQ(LineAfter("E;"), "E;|0");
    port_.Close();  // descriptor 0 (stdin closed) is a port as any other
    EXPECT_TRUE(testsupport::WithStdinClosed([&] {
        const bool works = port_.Open(0) && LineAfter("F;") == "F;|0" && port_.Send("V");
        port_.Close();
        return works;
    }));
    EXPECT_EQ(pty_.Read(2), "V;");
}

}  // namespace
