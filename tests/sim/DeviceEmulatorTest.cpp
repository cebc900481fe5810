#include "sim/DeviceEmulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Fcs.h"
#include "sim/ReplaySource.h"
#include "store/TimeStamp.h"

namespace {

class ScriptedSource : public FrameSource {
public:
    std::vector<SimFrame> frames;
    std::vector<uint32_t> masks;  // TX mask after each frame; RX is the same shifted by one
    void Add(const SimFrame& f, uint32_t mask = 0) {
        frames.push_back(f);
        masks.push_back(mask);
    }
    bool Next(SimFrame& f) override {
        if (next_ >= frames.size()) return false;
        f = frames[next_];
        mask_ = masks[next_];
        ++next_;
        return true;
    }
    uint32_t ChannelMask(int direction) const override { return direction == 0 ? mask_ : mask_ << 1; }

private:
    size_t next_ = 0;
    uint32_t mask_ = 0;
};

SimFrame FcsFrame(uint8_t direction, std::vector<uint8_t> body) {
    Fcs::Append(body);
    SimFrame f;
    f.direction = direction;
    f.octets = body;
    return f;
}

// Everything the device put on the line, cut at CR.
std::vector<std::string> Drain(DeviceEmulator& d) {
    std::string text(d.PendingData(), d.PendingSize());
    d.Consumed(d.PendingSize());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    EXPECT_EQ(start, text.size()) << "output ends inside a line";
    return lines;
}

struct Rig {
    ScriptedSource source;
    std::vector<std::string> log;
    DeviceEmulator device;
    int64_t now = 1000000;
    explicit Rig(DeviceEmulator::Settings s = {})
        : device(s, source, [this](const std::string& t) { log.push_back(t); }) {}
    std::vector<std::string> Send(const std::string& bytes) {
        device.Receive(bytes.data(), bytes.size(), now);
        return Drain(device);
    }
};

using Lines = std::vector<std::string>;

// The lines of a kind ('X': frame lines, 'S': status lines) among lines.
Lines Only(char kind, const Lines& lines) {
    Lines out;
    for (const auto& l : lines) {
        bool frame = l.size() > 2 && l[1] == 'X';
        bool status = l.size() > 1 && l[0] == 'S' && (l[1] == 'T' || l[1] == 'R');
        if (kind == 'X' ? frame : status) out.push_back(l);
    }
    return out;
}

TEST(DeviceEmulator, EchoesAndAnswersEveryCommand) {
    Rig rig;
    Lines v = rig.Send("V\r");
    ASSERT_EQ(2u, v.size());
    EXPECT_EQ("V", v[0]);
    EXPECT_EQ(0u, v[1].rfind("RQ-730", 0));

    Lines t = rig.Send("T\r");
    ASSERT_EQ(2u, t.size());
    EXPECT_EQ("T", t[0]);
    TimeStamp clock;
    EXPECT_EQ(14u, t[1].size());
    EXPECT_TRUE(clock.Parse(t[1]));

    EXPECT_EQ(Lines{"T"}, rig.Send("T 09:30:00.000\r"));
    rig.now += 1234;
    EXPECT_EQ((Lines{"T", "[09:30:01.234]"}), rig.Send("T\r"));

    Lines i = rig.Send("I\r");
    ASSERT_EQ(3u, i.size());
    EXPECT_EQ("I", i[0]);
    EXPECT_EQ("ST 00000000000000000000000" "1 1", i[1]);
    EXPECT_EQ("SR 00000000000000000000000" "1 1", i[2]);

    EXPECT_EQ(Lines{"M"}, rig.Send("M 03,05\r"));
    ASSERT_FALSE(rig.log.empty());
    EXPECT_EQ("voice monitor \"M 03,05\": RX 03, TX 05", rig.log.back());
    EXPECT_EQ(Lines{"R"}, rig.Send("R\r"));
    EXPECT_EQ((Lines{"S", "E"}), rig.Send("S\rE\r"));
    EXPECT_FALSE(rig.device.Monitoring());
    // LF is ignored wherever it stands.
    EXPECT_EQ((Lines{"V", rig.device.Identification()}), rig.Send("\nV\n\r"));
}

TEST(DeviceEmulator, MalformedHostInputIsDroppedAndTheDeviceAnswersOn) {
    Rig rig;
    EXPECT_TRUE(rig.Send(std::string(10000, 'V') + "\r").empty());
    EXPECT_TRUE(rig.Send(std::string("V\0", 2) + "\r").empty());
    EXPECT_TRUE(rig.Send("X\rSS\rVV\rI 1\r\r\r").empty());
    std::string garbage;
    for (int i = 0; i < 100000; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
    rig.Send(garbage);
    rig.Send("\r");
    // A bad clock is echoed but leaves the clock alone.
    rig.Send("T 12:00:00.000\r");
    EXPECT_EQ(Lines{"T"}, rig.Send("T 25:00:00.000\r"));
    EXPECT_EQ(Lines{"T"}, rig.Send("T 9:30\r"));
    EXPECT_EQ((Lines{"T", "[12:00:00.000]"}), rig.Send("T\r"));
    EXPECT_EQ(Lines{"M"}, rig.Send("M 99,1\r"));
    EXPECT_EQ((Lines{"V", rig.device.Identification()}), rig.Send("V\r"));
    // A line split over many reads.
    rig.device.Receive("V", 1, rig.now);
    EXPECT_EQ((Lines{"V", rig.device.Identification()}), rig.Send("\r"));
}

TEST(DeviceEmulator, TessaroShiftsTheStatusField) {
    DeviceEmulator::Settings s;
    s.model = DeviceEmulator::kTessaro;
    Rig rig(s);
    rig.source.Add(FcsFrame(0, {0x02, 0x01, 0x01, 0x01}), (1u << 0) | (1u << 21));  // TX 1 and 22, RX 2 and 23
    Lines v = rig.Send("V\r");
    ASSERT_EQ(2u, v.size());
    EXPECT_EQ(0u, v[1].rfind("Tessaro", 0));
    rig.Send("S\r");
    rig.device.Produce(rig.now);
    Lines status = Only('S', Drain(rig.device));
    ASSERT_EQ(4u, status.size());  // at start, then after the channels changed
    const std::string& tx = status[2];
    const std::string& rx = status[3];
    ASSERT_EQ(42u, tx.size());
    EXPECT_EQ("ST", tx.substr(0, 2));
    EXPECT_EQ("SR", rx.substr(0, 2));
    for (int ch = 1; ch <= 23; ++ch) {
        EXPECT_EQ(ch == 1 || ch == 22 ? '1' : '0', tx[15 + ch]) << ch;
        EXPECT_EQ(ch == 2 || ch == 23 ? '1' : '0', rx[15 + ch]) << ch;
    }
    EXPECT_EQ('1', tx[39]);
    EXPECT_EQ('1', tx[41]);
}

TEST(DeviceEmulator, MonitoringSendsFrameLinesUntilTheCount) {
    DeviceEmulator::Settings s;
    s.framesPerSecond = 0;
    s.countLimit = 3;
    Rig rig(s);
    for (int i = 0; i < 5; ++i)
        rig.source.Add(FcsFrame(static_cast<uint8_t>(i & 1), {0x00, 0x01, static_cast<uint8_t>(i << 1), 0x00, 0xAB}));
    rig.Send("T 10:00:00.000\r");
    EXPECT_EQ(-1, rig.device.Produce(rig.now));  // not monitoring
    EXPECT_TRUE(Drain(rig.device).empty());
    rig.Send("S\r");
    rig.device.Produce(rig.now);
    Lines frames = Only('X', Drain(rig.device));
    ASSERT_EQ(3u, frames.size());
    EXPECT_EQ("TX[10:00:00.000]000100" "00AB" + frames[0].substr(26), frames[0]);
    EXPECT_EQ(0u, frames[1].rfind("RX[10:00:00.000]000102", 0));
    EXPECT_FALSE(rig.device.Monitoring());
    EXPECT_EQ(3u, rig.device.FramesSent());
    // A new run goes on with the next frames of the source.
    rig.Send("S\r");
    rig.device.Produce(rig.now);
    frames = Only('X', Drain(rig.device));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(0u, frames[0].rfind("RX[10:00:00.000]000106", 0));
}

TEST(DeviceEmulator, PacesFramesByTheGivenRate) {
    DeviceEmulator::Settings s;
    s.framesPerSecond = 20;
    Rig rig(s);
    for (int i = 0; i < 100; ++i) rig.source.Add(FcsFrame(0, {0x02, 0x01, 0x01, 0x01}));
    rig.Send("S\r");
    // Milliseconds on, the wait Produce reports, the frame lines sent; the
    // last step is far behind (nobody read the line): no burst afterwards.
    const struct { int64_t step; int due; size_t lines; } steps[] = {
        {0, 50, 1}, {49, 1, 0}, {1, 50, 1}, {500, 50, 10}, {60000, 50, 1}};
    for (const auto& s : steps) {
        rig.now += s.step;
        EXPECT_EQ(s.due, rig.device.Produce(rig.now)) << s.step;
        EXPECT_EQ(s.lines, Only('X', Drain(rig.device)).size()) << s.step;
    }
}

TEST(DeviceEmulator, WrongRateDropsUnsentLinesButFinishesAHalfSentOne) {
    Rig rig;
    std::string v = "V\r";
    rig.device.Receive(v.data(), v.size(), rig.now);
    rig.device.Receive(v.data(), v.size(), rig.now);
    rig.device.Consumed(4);  // "V\rRQ" is out
    rig.device.DropUnsent();
    std::string rest(rig.device.PendingData(), rig.device.PendingSize());
    EXPECT_EQ(rig.device.Identification().substr(2) + "\r", rest);
    rig.device.Consumed(rest.size());
    rig.Send("V\r");
    rig.device.DropUnsent();
    EXPECT_EQ(0u, rig.device.PendingSize());
}

TEST(ReplaySource, SendsTheFramesOfATraceFile) {
    std::vector<uint8_t> longBody(40, 0x5A);
    longBody[0] = 0x00;
    longBody[1] = 0x01;
    Fcs::Append(longBody);
    std::string hex;
    for (uint8_t b : longBody) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    std::string record = "RX[01:02:03.004]" + hex;
    std::string text = "INDEX=000010\r\nTX[12:34:56.789]0201007F0000\r\n" + record.substr(0, 80) + "\r\n" +
                       record.substr(80) + "\r\n";
    ReplaySource replay;
    ASSERT_EQ(ReplaySource::kLoaded, replay.LoadText(text));
    ASSERT_EQ(2u, replay.Count());
    SimFrame f;
    ASSERT_TRUE(replay.Next(f));
    EXPECT_EQ(SimFrame::kTx, f.direction);
    EXPECT_EQ((std::vector<uint8_t>{0x02, 0x01, 0x00, 0x7F, 0x00, 0x00}), f.octets);
    EXPECT_TRUE(f.badFcs);
    ASSERT_TRUE(replay.Next(f));
    EXPECT_EQ(SimFrame::kRx, f.direction);
    EXPECT_EQ(longBody, f.octets);
    EXPECT_FALSE(f.badFcs);
    EXPECT_FALSE(replay.Next(f));
    EXPECT_EQ(ReplaySource::kUnreadable, replay.LoadFile("/nonexistent/velksim/trace.vkt"));
}

}  // namespace
