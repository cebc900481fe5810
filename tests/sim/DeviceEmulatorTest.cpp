#include "sim/DeviceEmulator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Frames 02 01 01 nn, TX and RX in turn; from the second on channels 1 and
// 22 are busy on TX, 2 and 23 on RX.
struct Frames : FrameSource {
    bool Next(SimFrame& f) override {
        f.direction = static_cast<uint8_t>(next & 1);
        f.octets = {0x02, 0x01, 0x01, static_cast<uint8_t>(next++)};
        return true;
    }
    uint32_t ChannelMask(int direction) const override { return next < 2 ? 0 : (1u << 0 | 1u << 21) << direction; }
    int next = 0;
};

// A device whose clock reads 10:00:00.000 at the start. Send gives what it
// put on the line (CR shown as "|") after the host's bytes, `later` ms on.
struct Rig {
    explicit Rig(DeviceEmulator::Settings s = {}) : device(s, frames, nullptr) {
        Send("T 10:00:00.000\r");
    }
    std::string Send(const std::string& bytes, int64_t later = 0) {
        device.Receive(bytes.data(), bytes.size(), now += later);
        due = device.Produce(now);
        std::string out(device.PendingData(), device.PendingSize());
        device.Consumed(out.size());
        std::replace(out.begin(), out.end(), '\r', '|');
        return out;
    }
    Frames frames;
    DeviceEmulator device;
    int64_t now = 1000000;
    int due = 0;
};

const std::string kIdle = "000000000000000000000001 1|";
const std::string kBusyTx = "100000000000000000000101 1|", kBusyRx = "010000000000000000000011 1|";

}  // namespace

TEST(DeviceEmulator, EchoesAndAnswersEveryCommandAndDropsWhatIsNone) {
    Rig rig;
    const struct { std::string in; int64_t later; std::string out; } steps[] = {
        {"V\r", 0, "V|RQ-730 Ver1.03 PRI-JT velksim|"},
        {"T\r", 1234, "T|[10:00:01.234]|"},
        {"T 09:30:00.000\r", 0, "T|"},
        {"T 25:00:00.000\rT 9:30\r", 0, "T|T|"},  // a bad clock is echoed and ignored
        {"T\r", 5, "T|[09:30:00.005]|"},
        {"I\r", 0, "I|ST " + kIdle + "SR " + kIdle},
        {"M 03,05\r", 0, "M|"},
        {"R\rS\rE\r", 0, "R|S|E|"},
        {"\nV\n", 0, ""},  // line feeds are ignored, a line ends with CR only
        {"\r", 0, "V|RQ-730 Ver1.03 PRI-JT velksim|"},
        {std::string(200, 'V') + "\r" + std::string("V\0\r", 3) + "X\rSS\rVV\rI 1\r\r", 0, ""},
        {"M 99,1\r", 0, "M|"},
    };
    // How "M" was read shows in velksim's log (DeviceLinkE2eTest).
    for (const auto& s : steps) EXPECT_EQ(rig.Send(s.in, s.later), s.out) << s.in;
    // The host's rate changed with "V|RQ" out: the half-sent line is finished, the next one dropped.
    rig.device.Receive("V\rV\r", 4, rig.now);
    rig.device.Consumed(4);
    rig.device.DropUnsent();
    EXPECT_EQ(rig.Send(""), "-730 Ver1.03 PRI-JT velksim|");
}

// A run goes on until the count, paced by the rate; a Tessaro's status
// fields stand further on.
TEST(DeviceEmulator, MonitorsUntilTheCountPacedByTheRateAndTheTessaroShiftsItsStatus) {
    Rig rig({DeviceEmulator::kTessaro, 0, 3});
    EXPECT_EQ(rig.due, -1);  // not monitoring
    EXPECT_EQ(rig.Send("V\r"), "V|Tessaro Ver2.10 PRI-JT velksim|");
    // Status lines at the start, and after every change of the channels.
    const std::string st = "ST PRI-JT 1544K ", sr = "SR PRI-JT 1544K ";
    EXPECT_EQ(rig.Send("S\r"), "S|" + st + kIdle + sr + kIdle + "TX[10:00:00.000]02010100|RX[10:00:00.000]02010101|" + st +
              kBusyTx + sr + kBusyRx + "TX[10:00:00.000]02010102|");
    EXPECT_FALSE(rig.device.Monitoring());
    // A new run goes on with the next frames of the source.
    EXPECT_EQ(rig.Send("S\r"), "S|" + st + kBusyTx + sr + kBusyRx + "RX[10:00:00.000]02010103|TX[10:00:00.000]02010104|" +
              "RX[10:00:00.000]02010105|");
    EXPECT_EQ(rig.device.FramesSent(), 6u);

    Rig paced({DeviceEmulator::kRq730, 20, 0});
    // Milliseconds on, the wait Produce reports, the frame lines sent; the
    // last step is far behind (nobody read the line): no burst afterwards.
    const struct { const char* in; int64_t later; int due; long lines; } steps[] = {
        {"S\r", 0, 50, 1}, {"", 49, 1, 0}, {"", 1, 50, 1}, {"", 500, 50, 10}, {"", 60000, 50, 1}};
    for (const auto& s : steps) {
        const std::string out = paced.Send(s.in, s.later);
        EXPECT_EQ(paced.due, s.due) << s.later;
        EXPECT_EQ(std::count(out.begin(), out.end(), 'X'), s.lines) << s.later;
    }
}
