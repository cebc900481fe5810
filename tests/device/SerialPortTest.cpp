#include "device/SerialPort.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/PtyDevice.h"

namespace {

// COM1 on a pseudo-terminal, opened, lines ending in CR.
class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        TestPorts::Link(1, pty_.SlavePath());
        uint8_t cr = 0x0D;
        port_.SetTerminator(&cr, 1);
        ASSERT_TRUE(port_.Open(0));
    }
    void TearDown() override { TestPorts::Unlink(1); }

    // ReadLine until it hands out something (the pty may deliver late).
    std::string ReadLineSoon(size_t maximum) {
        std::string out(maximum, '\0');
        size_t n = 0;
        WaitUntil([&] {
            n = port_.ReadLine(reinterpret_cast<uint8_t*>(out.data()), maximum);
            return n > 0;
        });
        out.resize(n);
        return out;
    }
    // Waits until `n` bytes are queued while no line is handed out.
    bool QueuedWithoutALine(size_t n) {
        uint8_t buf[64];
        return WaitUntil([&] { return port_.ReadLine(buf, sizeof buf) == 0 && port_.Queued() == n; });
    }

    PtyPair pty_;
    SerialPort port_;
};

TEST(SerialPortNames, NameAndDefinitionFollowTheIndex) {
    SerialPort port;
    EXPECT_EQ(port.Definition(), "COM1:9600, n, 8, 1");
    PtyPair nine, ten;
    TestPorts::Link(9, nine.SlavePath());
    TestPorts::Link(10, ten.SlavePath());
    ASSERT_TRUE(port.Open(8));
    EXPECT_EQ(port.Name(), "COM9");
    EXPECT_EQ(port.Definition(), "COM9:9600, n, 8, 1");
    ASSERT_TRUE(port.Open(9));
    EXPECT_EQ(port.Name(), "\\\\.\\COM10");
    EXPECT_EQ(port.Definition(), "\\\\.\\COM10:9600, n, 8, 1");
    EXPECT_EQ(port.DevicePath(), TestPorts::Folder() + "COM10");
    ASSERT_TRUE(port.SetBaudCode(SerialPort::kBaud38400));
    EXPECT_EQ(port.Definition(), "\\\\.\\COM10:38400, n, 8, 1");
    TestPorts::Unlink(9);
    TestPorts::Unlink(10);
}

TEST_F(SerialPortOnPty, NegativeIndexLeavesTheOpenPortAlone) {
    EXPECT_FALSE(port_.Open(-1));
    EXPECT_TRUE(port_.IsOpen());
    EXPECT_EQ(port_.PortIndex(), 0);
    EXPECT_TRUE(port_.Send("V"));
    EXPECT_EQ(pty_.Read(2), "V\r");
}

TEST_F(SerialPortOnPty, OpenSetsRawModeAtTheDefaultRate) {
    struct termios tio {};
    ASSERT_EQ(tcgetattr(pty_.Slave(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
}

TEST_F(SerialPortOnPty, SetBaudCodeAcceptsRatesOnly) {
    for (int bad : {3, 10, 0, 16, -1}) {
        EXPECT_FALSE(port_.SetBaudCode(bad)) << bad;
        EXPECT_EQ(port_.BaudCode(), SerialPort::kBaud9600) << bad;
    }
    EXPECT_EQ(pty_.SlaveSpeed(), B9600);
    EXPECT_TRUE(port_.SetBaudCode(9));
    EXPECT_EQ(pty_.SlaveSpeed(), B38400);
    EXPECT_TRUE(port_.SetBaudCode(4));
    EXPECT_EQ(pty_.SlaveSpeed(), B1200);
    EXPECT_EQ(port_.Definition(), "COM1:1200, n, 8, 1");

    SerialPort closed;  // the rate is kept, but a closed port cannot take it
    EXPECT_FALSE(closed.SetBaudCode(9));
    EXPECT_EQ(closed.BaudCode(), 9);
    EXPECT_FALSE(closed.Configure());
}

TEST_F(SerialPortOnPty, SecondOpenOfABusyPortFails) {
    SerialPort other;
    EXPECT_FALSE(other.Open(0));
    EXPECT_FALSE(other.IsOpen());
    port_.Close();
    EXPECT_TRUE(other.Open(0));
    other.Close();

    // Another program holding the port.
    int fd = open(pty_.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(port_.Open(0));
    close(fd);
    EXPECT_TRUE(port_.Open(0));
}

TEST(SerialPortMissing, OpenFailsAndTheClosedPortDoesNothing) {
    TestPorts::Link(7, TestPorts::Folder() + "nowhere");
    SerialPort port;
    EXPECT_FALSE(port.Open(6));  // link to nothing
    EXPECT_EQ(port.PortIndex(), 6);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Open(127));  // COM128: no link and no such node
    EXPECT_FALSE(port.Open(128));  // beyond any port number
    EXPECT_EQ(port.PortIndex(), 127);
    uint8_t buf[16];
    EXPECT_EQ(port.Read(buf, sizeof buf), 0u);
    EXPECT_FALSE(port.Write(buf, 1));
    EXPECT_FALSE(port.Send("V"));
    EXPECT_EQ(port.ReadLine(buf, sizeof buf), 0u);
    TestPorts::Unlink(7);
}

TEST_F(SerialPortOnPty, SendAppendsTheTerminator) {
    ASSERT_TRUE(port_.Send("V"));
    EXPECT_EQ(pty_.Read(2), std::string("V\x0D"));
    const uint8_t crlf[] = {0x0D, 0x0A};
    port_.SetTerminator(crlf, 2);
    ASSERT_TRUE(port_.Send("T 09:30:00.000"));
    EXPECT_EQ(pty_.Read(16), "T 09:30:00.000\r\n");
    port_.SetTerminator(nullptr, 0);
    ASSERT_TRUE(port_.Send("E"));
    EXPECT_EQ(pty_.Drain(), "E");
}

TEST_F(SerialPortOnPty, WriteGivesUpWhenNobodyReads) {
    // Fill the pseudo-terminal until a write cannot finish in time.
    std::string block(4096, 'x');
    bool refused = false;
    for (int i = 0; i < 64 && !refused; ++i)
        refused = !port_.Write(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    EXPECT_TRUE(refused);
}

TEST_F(SerialPortOnPty, LineCompletedByALaterRead) {
    pty_.Write("ABC");
    ASSERT_TRUE(QueuedWithoutALine(3));
    pty_.Write("D\rEF");
    EXPECT_EQ(ReadLineSoon(64), "ABCD\r");
    EXPECT_EQ(port_.Pending(), 0u);
    ASSERT_TRUE(QueuedWithoutALine(2));  // "EF" waits for its end
    pty_.Write("\r");
    EXPECT_EQ(ReadLineSoon(64), "EF\r");
}

TEST_F(SerialPortOnPty, TwoLinesInOneReadComeOutOneByOne) {
    pty_.Write("A\rB\r");
    ASSERT_TRUE(WaitUntil([&] {
        uint8_t none[1];
        port_.ReadLine(none, 0);  // a zero maximum hands out nothing, only reads
        return port_.Queued() == 4;
    }));
    EXPECT_EQ(port_.Pending(), 2u);
    EXPECT_EQ(ReadLineSoon(16), "A\r");
    EXPECT_EQ(ReadLineSoon(16), "B\r");
    EXPECT_TRUE(QueuedWithoutALine(0));
}

TEST_F(SerialPortOnPty, LongLineIsHandedOutInPieces) {
    std::string line;
    for (int i = 0; i < 1499; ++i) line += static_cast<char>('a' + i % 26);
    line += '\r';
    pty_.Write(line + "next");
    std::string first = ReadLineSoon(1024);
    ASSERT_EQ(first.size(), 1024u);
    EXPECT_EQ(port_.Pending(), 476u);
    std::string rest = ReadLineSoon(1024);
    ASSERT_EQ(rest.size(), 476u);
    EXPECT_EQ(first + rest, line);
    EXPECT_TRUE(QueuedWithoutALine(4));
}

TEST_F(SerialPortOnPty, MultiByteTerminatorSplitAcrossReads) {
    const uint8_t crlf[] = {0x0D, 0x0A};
    port_.SetTerminator(crlf, 2);
    pty_.Write("X\rY\r");
    ASSERT_TRUE(QueuedWithoutALine(4));
    pty_.Write("\nZ");
    EXPECT_EQ(ReadLineSoon(16), "X\rY\r\n");
}

TEST_F(SerialPortOnPty, QueueSurvivesReopening) {
    pty_.Write("AB");
    ASSERT_TRUE(QueuedWithoutALine(2));
    port_.Close();
    ASSERT_TRUE(port_.Open(0));
    pty_.Write("C\r");
    EXPECT_EQ(ReadLineSoon(16), "ABC\r");
}

}  // namespace
