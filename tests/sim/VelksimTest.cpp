// Drives the real velksim program over its pseudo-terminal, as the host does.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "base/Hex.h"
#include "sim/FrameText.h"
#include "store/Fcs.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(20);

bool IsFrameLine(const std::string& l) {
    return l.size() >= 16 && (l[0] == 'T' || l[0] == 'R') && l[1] == 'X';
}

// An RQ-730 status line: channel field at 3, D channel and line state after it.
bool IsRq730StatusLine(const std::string& l) {
    if (l.size() < 29 || l[0] != 'S' || (l[1] != 'T' && l[1] != 'R')) return false;
    for (size_t i = 3; i < 26; ++i)
        if (l[i] != '0' && l[i] != '1') return false;
    return l[26] == '1' && l[28] == '1';
}

std::string LinkOf(int port) { return TestPorts::Folder() + "COM" + std::to_string(port); }

class Velksim : public ::testing::Test {
protected:
    void TearDown() override { ClosePort(); }

    // Opens the port as the program does: raw 8N1 at the given rate.
    void OpenPort(int port, speed_t speed = B9600) {
        fd_ = open(LinkOf(port).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd_, 0) << strerror(errno);
        SetSpeed(speed);
    }
    void SetSpeed(speed_t speed) {
        termios tio{};
        ASSERT_EQ(0, tcgetattr(fd_, &tio));
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        ASSERT_EQ(0, tcsetattr(fd_, TCSANOW, &tio));
    }
    void ClosePort() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        pending_.clear();
    }

    void Send(const std::string& text) {
        std::string line = text + "\r";
        ASSERT_EQ(static_cast<ssize_t>(line.size()), write(fd_, line.data(), line.size()));
    }

    // The next line from the device, without its CR; "" with timedOut set
    // when none came in time.
    std::string ReadLine(std::chrono::milliseconds patience = kPatience) {
        const auto end = Clock::now() + patience;
        timedOut_ = false;
        for (;;) {
            size_t cr = pending_.find('\r');
            if (cr != std::string::npos) {
                std::string line = pending_.substr(0, cr);
                pending_.erase(0, cr + 1);
                return line;
            }
            if (Clock::now() >= end) {
                timedOut_ = true;
                return "";
            }
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            char buf[4096];
            ssize_t n = read(fd_, buf, sizeof buf);
            if (n > 0) pending_.append(buf, static_cast<size_t>(n));
        }
    }

    // Lines until one equal to wanted (included).
    std::vector<std::string> ReadUntil(const std::string& wanted) {
        std::vector<std::string> lines;
        for (;;) {
            lines.push_back(ReadLine());
            if (timedOut_) {
                ADD_FAILURE() << "no line \"" << wanted << "\" came";
                return lines;
            }
            if (lines.back() == wanted) return lines;
        }
    }

    VelksimProcess sim_;
    int fd_ = -1;
    std::string pending_;
    bool timedOut_ = false;
};

// The request replies themselves are checked exactly in DeviceEmulatorTest;
// here: the link, the line rate, reopening and the end of the program.
TEST_F(Velksim, AnswersTheHostOnlyAtItsOwnRate) {
    // A stale link from an earlier run is replaced.
    ASSERT_EQ(0, symlink("/nonexistent/pts", LinkOf(1).c_str()));
    ASSERT_TRUE(sim_.Start(1, {}));
    std::string said = ReadWholeFile(TestPorts::Folder() + "velksim1.out");
    ASSERT_EQ(0u, said.rfind("velksim: COM1 -> /dev/pts/", 0)) << said;
    char target[256] = {};
    ASSERT_GT(readlink(LinkOf(1).c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(said, "velksim: COM1 -> " + std::string(target) + "\n");
    ASSERT_NO_FATAL_FAILURE(OpenPort(1));

    Send("V");
    EXPECT_EQ("V", ReadLine());
    EXPECT_EQ(0u, ReadLine().rfind("RQ-730", 0));
    Send("I");
    EXPECT_EQ("I", ReadLine());
    std::string tx = ReadLine(), rx = ReadLine();
    EXPECT_TRUE(IsRq730StatusLine(tx) && tx[1] == 'T') << tx;
    EXPECT_TRUE(IsRq730StatusLine(rx) && rx[1] == 'R') << rx;

    // At 38400 the device hears garbage and says nothing.
    SetSpeed(B38400);
    Send("V");
    Send("S");
    EXPECT_EQ("", ReadLine(std::chrono::milliseconds(1500)));
    EXPECT_TRUE(timedOut_);
    SetSpeed(B9600);
    Send("E");
    EXPECT_EQ("E", ReadLine());

    // The host closes and reopens the port around a rate change.
    ClosePort();
    ASSERT_NO_FATAL_FAILURE(OpenPort(1));
    Send("M 01,02");
    EXPECT_EQ("M", ReadLine());
    Send("V");
    EXPECT_EQ("V", ReadLine());
    EXPECT_EQ(0u, ReadLine().rfind("RQ-730", 0));

    // SIGTERM ends it cleanly and takes the link away.
    ClosePort();
    EXPECT_EQ(0, sim_.Stop());
    struct stat st {};
    EXPECT_NE(0, lstat(LinkOf(1).c_str(), &st)) << "link left behind";
}

TEST_F(Velksim, ReplaysATraceFile) {
    std::vector<std::vector<uint8_t>> bodies = {
        {0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x00, 0x01, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA2},
        {0x02, 0x01, 0x01, 0x02},
        std::vector<uint8_t>(60, 0x33),
    };
    std::vector<std::string> hex(bodies.size());
    std::string text;
    for (size_t i = 0; i < bodies.size(); ++i) {
        Fcs::Append(bodies[i]);
        Hex::Append(hex[i], bodies[i].data(), bodies[i].size());
        std::string record = std::string(i == 1 ? "RX" : "TX") + "[08:00:00.00" + std::to_string(i) + "]" + hex[i];
        for (size_t at = 0; at < record.size(); at += 80) text += record.substr(at, 80) + "\r\n";
    }
    std::string trace = TestPorts::Folder() + "small.vkt";
    std::ofstream(trace, std::ios::binary) << text;

    ASSERT_TRUE(sim_.Start(2, {"--replay", trace, "--rate-fps", "0"}));
    ASSERT_NO_FATAL_FAILURE(OpenPort(2));
    Send("S");
    for (size_t i = 0; i < bodies.size(); ++i) {
        std::string line;
        do {
            line = ReadLine();
            ASSERT_FALSE(timedOut_);
            if (!IsFrameLine(line) && line != "S") EXPECT_TRUE(IsRq730StatusLine(line)) << line;
        } while (!IsFrameLine(line));
        EXPECT_EQ(i == 1 ? 'R' : 'T', line[0]);
        EXPECT_EQ(hex[i], line.substr(16));
    }
    // After the echo of "E" no frame line follows.
    Send("E");
    for (const auto& line : ReadUntil("E")) EXPECT_FALSE(IsFrameLine(line)) << line;
    EXPECT_EQ(0, sim_.Stop());
}

}  // namespace
