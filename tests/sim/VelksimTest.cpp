// Drives the real velksim program over its pseudo-terminal, as the host does.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/Fcs.h"
#include "sim/FrameText.h"
#include "sim/TrafficGenerator.h"
#include "store/TimeStamp.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(20);

bool IsFrameLine(const std::string& l) {
    return l.size() >= 16 && (l[0] == 'T' || l[0] == 'R') && l[1] == 'X';
}

bool IsStatusLine(const std::string& l) { return l.size() >= 2 && l[0] == 'S' && (l[1] == 'T' || l[1] == 'R'); }

// Shape of a frame line: direction, bracketed time, upper-case hex pairs.
bool FrameLineShape(const std::string& l, TimeStamp& time) {
    if (!IsFrameLine(l) || !time.Parse(l.substr(2)) || (l.size() - 16) % 2 != 0) return false;
    for (size_t i = 16; i < l.size(); ++i)
        if (!((l[i] >= '0' && l[i] <= '9') || (l[i] >= 'A' && l[i] <= 'F'))) return false;
    return true;
}

// Channel field at start, D channel and line state after it.
bool StatusLineShape(const std::string& l, size_t start) {
    if (!IsStatusLine(l) || l.size() < start + 26) return false;
    for (size_t i = start; i < start + 23; ++i)
        if (l[i] != '0' && l[i] != '1') return false;
    return l[start + 23] == '1' && l[start + 25] == '1';
}

int64_t Ms(const TimeStamp& t) {
    return ((t.Hours() * 60LL + t.Minutes()) * 60 + t.Seconds()) * 1000 + t.Milliseconds();
}

class Velksim : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velksim_test.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder_ = pattern;
    }

    void TearDown() override {
        ClosePort();
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
        std::string cmd = "rm -rf '" + folder_ + "'";
        if (!folder_.empty()) (void)!system(cmd.c_str());
    }

    // Starts velksim and waits for the line that names its port.
    void Start(std::vector<std::string> args) {
        int pipefd[2];
        ASSERT_EQ(0, pipe(pipefd));
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            dup2(pipefd[1], 1);
            close(pipefd[0]);
            close(pipefd[1]);
            setenv("VELKSCOPE_PORTS", folder_.c_str(), 1);
            std::vector<char*> argv;
            std::string path = VELKSIM_PATH;
            argv.push_back(path.data());
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(path.c_str(), argv.data());
            _exit(127);
        }
        close(pipefd[1]);
        out_ = pipefd[0];
        std::string said;
        const auto end = Clock::now() + kPatience;
        while (said.find('\n') == std::string::npos && Clock::now() < end) {
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char c[256];
            ssize_t n = read(out_, c, sizeof c);
            if (n <= 0) break;
            said.append(c, static_cast<size_t>(n));
        }
        ASSERT_EQ(0u, said.rfind("velksim: COM1 -> /dev/pts/", 0)) << said;
        pts_ = said.substr(std::strlen("velksim: COM1 -> "));
        pts_.erase(pts_.find('\n'));
        char target[256] = {};
        ASSERT_GT(readlink(Link().c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(pts_, target);
    }

    std::string Link() const { return folder_ + "/COM1"; }

    // Opens the port as the program does: raw 8N1 at the given rate.
    void OpenPort(speed_t speed = B9600) {
        fd_ = open(Link().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
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

    // SIGTERM; true when velksim exited with status 0.
    bool Terminate() {
        kill(pid_, SIGTERM);
        const auto end = Clock::now() + kPatience;
        int status = 0;
        while (Clock::now() < end) {
            pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                pid_ = -1;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    std::string folder_;
    std::string pts_;
    pid_t pid_ = -1;
    int out_ = -1;
    int fd_ = -1;
    std::string pending_;
    bool timedOut_ = false;
};

TEST_F(Velksim, AnswersTheHostOnlyAtItsOwnRate) {
    // A stale link from an earlier run is replaced.
    ASSERT_EQ(0, symlink("/nonexistent/pts", Link().c_str()));
    ASSERT_NO_FATAL_FAILURE(Start({"--quiet"}));
    ASSERT_NO_FATAL_FAILURE(OpenPort());

    Send("V");
    EXPECT_EQ("V", ReadLine());
    EXPECT_EQ(0u, ReadLine().rfind("RQ-730", 0));

    Send("T");
    EXPECT_EQ("T", ReadLine());
    std::string clockLine = ReadLine();
    TimeStamp clock;
    EXPECT_EQ('[', clockLine[0]);
    EXPECT_EQ(14u, clockLine.size());
    EXPECT_TRUE(clock.Parse(clockLine)) << clockLine;

    Send("T 09:30:00.000");
    EXPECT_EQ("T", ReadLine());
    Send("T");
    EXPECT_EQ("T", ReadLine());
    ASSERT_TRUE(clock.Parse(ReadLine()));
    EXPECT_EQ(9, clock.Hours());
    EXPECT_EQ(30, clock.Minutes());
    EXPECT_LT(clock.Seconds(), 20);

    Send("I");
    EXPECT_EQ("I", ReadLine());
    std::string tx = ReadLine(), rx = ReadLine();
    EXPECT_TRUE(StatusLineShape(tx, 3) && tx[1] == 'T') << tx;
    EXPECT_TRUE(StatusLineShape(rx, 3) && rx[1] == 'R') << rx;

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
    ASSERT_NO_FATAL_FAILURE(OpenPort());
    Send("M 01,02");
    EXPECT_EQ("M", ReadLine());
    Send("V");
    EXPECT_EQ("V", ReadLine());
    EXPECT_EQ(0u, ReadLine().rfind("RQ-730", 0));

    ClosePort();
    EXPECT_TRUE(Terminate());
    struct stat st {};
    EXPECT_NE(0, lstat(Link().c_str(), &st)) << "link left behind";
}

TEST_F(Velksim, MonitoringSendsExactlyTheSeedsFrames) {
    ASSERT_NO_FATAL_FAILURE(Start({"--quiet", "--seed", "5", "--rate-fps", "0"}));
    ASSERT_NO_FATAL_FAILURE(OpenPort());
    Send("T 10:00:00.000");
    EXPECT_EQ("T", ReadLine());
    Send("S");
    EXPECT_EQ("S", ReadLine());

    TrafficGenerator expected(5);
    SimFrame frame;
    int frames = 0, statusLines = 0;
    int64_t last = 0;
    while (frames < 3000) {
        std::string line = ReadLine();
        ASSERT_FALSE(timedOut_) << "after " << frames << " frames";
        if (IsStatusLine(line)) {
            EXPECT_TRUE(StatusLineShape(line, 3)) << line;
            ++statusLines;
            continue;
        }
        TimeStamp time;
        ASSERT_TRUE(FrameLineShape(line, time)) << line;
        EXPECT_GE(Ms(time), last) << line;
        last = Ms(time);
        expected.Next(frame);
        std::string want = frame.direction == 1 ? "RX" : "TX";
        std::string hex;
        FrameText::AppendHex(hex, frame.octets.data(), frame.octets.size());
        ASSERT_EQ(want + line.substr(2, 14) + hex, line) << "frame " << frames;
        ++frames;
    }
    EXPECT_GT(statusLines, 2);

    // After the echo of "E" no frame line follows.
    Send("E");
    ReadUntil("E");
    Send("V");
    EXPECT_EQ("V", ReadLine());
    EXPECT_EQ(0u, ReadLine().rfind("RQ-730", 0));
    EXPECT_TRUE(Terminate());
}

TEST_F(Velksim, CountEndsMonitoringAndTheDeviceAnswersOn) {
    ASSERT_NO_FATAL_FAILURE(Start({"--quiet", "--count", "7", "--rate-fps", "0", "--model", "tessaro"}));
    ASSERT_NO_FATAL_FAILURE(OpenPort());
    Send("S");
    int frames = 0;
    while (frames < 7) {
        std::string line = ReadLine();
        ASSERT_FALSE(timedOut_);
        if (IsStatusLine(line)) {
            EXPECT_TRUE(StatusLineShape(line, 16)) << line;
        }
        TimeStamp time;
        if (FrameLineShape(line, time)) ++frames;
    }
    Send("V");
    for (const auto& line : ReadUntil("V")) EXPECT_FALSE(IsFrameLine(line)) << line;
    EXPECT_EQ(0u, ReadLine().rfind("Tessaro", 0));
    EXPECT_TRUE(Terminate());
}

TEST_F(Velksim, ReplaysATraceFile) {
    std::vector<std::vector<uint8_t>> bodies = {
        {0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x00, 0x01, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA2},
        {0x02, 0x01, 0x01, 0x02},
        std::vector<uint8_t>(60, 0x33),
    };
    std::string text;
    for (size_t i = 0; i < bodies.size(); ++i) {
        Fcs::Append(bodies[i]);
        std::string hex;
        FrameText::AppendHex(hex, bodies[i].data(), bodies[i].size());
        std::string record = std::string(i == 1 ? "RX" : "TX") + "[08:00:00.00" + std::to_string(i) + "]" + hex;
        for (size_t at = 0; at < record.size(); at += 80) text += record.substr(at, 80) + "\r\n";
    }
    std::string trace = folder_ + "/small.vkt";
    std::ofstream(trace, std::ios::binary) << text;

    ASSERT_NO_FATAL_FAILURE(Start({"--quiet", "--replay", trace, "--rate-fps", "0"}));
    ASSERT_NO_FATAL_FAILURE(OpenPort());
    Send("S");
    for (size_t i = 0; i < bodies.size(); ++i) {
        std::string line;
        do {
            line = ReadLine();
            ASSERT_FALSE(timedOut_);
        } while (!IsFrameLine(line));
        std::string hex;
        FrameText::AppendHex(hex, bodies[i].data(), bodies[i].size());
        EXPECT_EQ(i == 1 ? 'R' : 'T', line[0]);
        EXPECT_EQ(hex, line.substr(16));
    }
    Send("E");
    for (const auto& line : ReadUntil("E")) EXPECT_FALSE(IsFrameLine(line)) << line;
    EXPECT_TRUE(Terminate());
}

}  // namespace
