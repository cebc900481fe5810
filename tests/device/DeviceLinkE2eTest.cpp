// The device link against velksim over a real pseudo-terminal: what the
// main window will see when it drives a device.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/Cp932.h"
#include "device/ComThread.h"
#include "device/DeviceControl.h"
#include "device/SerialPort.h"
#include "options/OptionData.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"

namespace {

class RecordingHost : public DeviceHost {
public:
    void ShowDeviceConnected(bool c) override { connected = c; }
    void PostCommunicationFault() override { ++faults; }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + "/" + text);
    }
    bool IsMonitoring() const override { return monitoring; }
    void UncheckChannelInfo() override { ++unchecked; }

    bool connected = false;
    bool monitoring = false;
    int faults = 0;
    int unchecked = 0;
    std::vector<std::string> messages;
};

// One program's worth of device link: thread, options, procedures.
struct Link {
    Link() : options(TestPorts::Folder() + "velk.opt", OptionData::kReadOnly) {
        thread.Start();
    }
    ~Link() { thread.Stop(); }

    // Waits for n frames, up to a generous limit.
    std::vector<FrameRecord> Frames(size_t n) {
        std::vector<FrameRecord> got;
        FrameRecord r;
        for (int i = 0; i < 1000 && got.size() < n; ++i) {
            while (got.size() < n && thread.PopFrame(r)) got.push_back(r);
            if (got.size() < n) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return got;
    }

    ComThread thread;
    OptionData options;
    RecordingHost host;
    DeviceControl control{thread, options, host};
};

std::vector<uint8_t> Octets(const FrameRecord& r) {
    if (r.Length() < 2) return {};
    return std::vector<uint8_t>(r.Bytes() + 1, r.Bytes() + r.Length() - 1);
}

int PortIndexOf(const Link& link) {
    MonitorOptions m;
    link.options.GetMonitorOptions(m);
    return m.portIndex;
}

}  // namespace

TEST(DeviceLinkE2e, ConnectsAtEitherRateAndStoresThePort) {
    VelksimProcess at9600, at38400;
    ASSERT_TRUE(at9600.Start(2, {"--rate", "9600"}));
    ASSERT_TRUE(at38400.Start(3, {"--rate", "38400", "--model", "tessaro"}));

    Link link;
    EXPECT_TRUE(link.control.ConnectDevice(1, true));
    EXPECT_TRUE(link.host.connected);
    EXPECT_EQ(PortIndexOf(link), 1);
    EXPECT_EQ(link.control.BaudCode(), SerialPort::kBaud9600);
    std::string identity;
    ASSERT_TRUE(link.control.AskIdentity(identity));
    EXPECT_EQ(identity.rfind("RQ-730", 0), 0u) << identity;
    EXPECT_EQ(link.thread.Kind(), DeviceKind::kRq730);

    // The second device runs at 38400: found through the fall-back, and the
    // next identification starts at the rate that worked.
    EXPECT_TRUE(link.control.ConnectDevice(2, true));
    EXPECT_EQ(link.control.BaudCode(), SerialPort::kBaud38400);
    EXPECT_EQ(PortIndexOf(link), 2);
    EXPECT_EQ(link.thread.Kind(), DeviceKind::kTessaro);
    EXPECT_TRUE(link.control.IdentifyDevice(true));
    EXPECT_TRUE(link.host.messages.empty());
    EXPECT_EQ(link.host.faults, 0);
    // Connecting sends the stop command and resets the voice monitor.
    EXPECT_NE(at38400.Log().find("voice monitor \"M 00,00\""), std::string::npos);
}

TEST(DeviceLinkE2e, MissingAndBusyPortsAreReported) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(4, {}));
    SerialPort holder;
    ASSERT_TRUE(holder.Open(3));  // another program has COM4

    Link link;
    const int stored = PortIndexOf(link);
    const std::string openError = VELK_SJIS("通信エラー") + "/" +
                                  VELK_SJIS("指定のＣＯＭポートをオープン出来ません。");
    link.host.connected = true;  // each attempt first shows "not connected"
    EXPECT_FALSE(link.control.ConnectDevice(3, true));
    EXPECT_FALSE(link.host.connected);
    EXPECT_FALSE(link.control.ConnectDevice(41, true));  // COM42: no such port
    EXPECT_FALSE(link.control.ConnectDevice(41, false));
    EXPECT_EQ(link.host.messages, (std::vector<std::string>{openError, openError}));
    EXPECT_EQ(PortIndexOf(link), stored);  // a port that did not open is not kept
    EXPECT_FALSE(link.thread.IsPortOpen());
    EXPECT_EQ(link.host.faults, 0);

    // Once the port is free the device is found.
    holder.Close();
    EXPECT_TRUE(link.control.ConnectDevice(3, true));
    EXPECT_TRUE(link.host.connected);
}

// A device that answers at neither rate is DeviceControlTest's; here one
// that was found and then went away.
TEST(DeviceLinkE2e, VanishedDeviceIsNoLongerFound) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(5, {}));
    Link link;
    ASSERT_TRUE(link.control.ConnectDevice(4, true));
    sim.Stop();
    EXPECT_FALSE(link.control.IdentifyDevice(true));
    EXPECT_EQ(link.host.faults, 1);
    EXPECT_TRUE(link.host.messages.empty());
}

TEST(DeviceLinkE2e, FramesArriveWithDirectionTimeAndOctets) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(6, {"--seed", "11", "--rate-fps", "0", "--count", "400"}));
    Link link;
    ASSERT_TRUE(link.control.ConnectDevice(5, false));
    TimeStamp before;
    ASSERT_TRUE(link.control.AskClock(before));
    ASSERT_TRUE(link.thread.StartMonitor());

    std::vector<FrameRecord> frames = link.Frames(400);
    ASSERT_EQ(frames.size(), 400u);
    TrafficGenerator expected(11);
    auto ms = [](const TimeStamp& t) {
        return ((t.Hours() * 60 + t.Minutes()) * 60 + t.Seconds()) * 1000 + t.Milliseconds();
    };
    int bad = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        SimFrame f;
        expected.Next(f);
        ASSERT_EQ(frames[i].Direction(), f.direction) << i;
        ASSERT_EQ(Octets(frames[i]), f.octets) << i;
        EXPECT_EQ(frames[i].ByteAt(0), 0x7E);
        EXPECT_EQ(frames[i].CheckCrc(), !f.badFcs) << i;
        bad += f.badFcs;
        // Stamped by the device clock, in order, after the clock we read.
        EXPECT_GE(ms(frames[i].Time()), ms(before)) << i;
        if (i > 0) EXPECT_GE(ms(frames[i].Time()), ms(frames[i - 1].Time())) << i;
    }
    // The run stops after its count: nothing more arrives.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    FrameRecord extra;
    EXPECT_FALSE(link.thread.PopFrame(extra));
    EXPECT_TRUE(link.thread.StopMonitor());
    RecordProperty("bad_fcs_frames", bad);
}

TEST(DeviceLinkE2e, StartDiscardsFramesOfAnEarlierRun) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(7, {"--seed", "5", "--rate-fps", "0", "--count", "6"}));
    Link link;
    ASSERT_TRUE(link.control.ConnectDevice(6, false));
    ASSERT_TRUE(link.thread.StartMonitor());
    // Let the first run's six frames reach the queue without taking them.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(link.thread.StopMonitor());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(link.thread.StartMonitor());
    std::vector<FrameRecord> frames = link.Frames(6);
    ASSERT_EQ(frames.size(), 6u);
    // The sequence goes on across runs: the second run's first frame is frame 6.
    EXPECT_EQ(Octets(frames[0]), TrafficGenerator::FrameAt(5, 6).octets);
    EXPECT_EQ(Octets(frames[5]), TrafficGenerator::FrameAt(5, 11).octets);
}

TEST(DeviceLinkE2e, ClockAndStatusOfBothModels) {
    VelksimProcess rq, tessaro;
    ASSERT_TRUE(rq.Start(8, {}));
    ASSERT_TRUE(tessaro.Start(9, {"--model", "tessaro"}));
    Link link;
    ASSERT_TRUE(link.control.ConnectDevice(7, false));

    TimeStamp set;
    set.Set(9, 30, 0, 0);
    ASSERT_TRUE(link.thread.SetDeviceClock(set));
    TimeStamp read;
    ASSERT_TRUE(link.control.AskClock(read));
    EXPECT_EQ(read.Hours(), 9);
    EXPECT_EQ(read.Minutes(), 30);
    EXPECT_LE(read.Seconds(), 2);
    // A reply is taken once.
    EXPECT_FALSE(link.thread.TakeClock(read));

    // Voice channels: the exact command and the refusal of channels above 23
    // are ComThreadTest's, the simulator's reading of it DeviceEmulatorTest's.

    // Idle status: both directions, line normal, D channel up, no B channel.
    BChannelStatus status;
    ASSERT_TRUE(link.control.AskChannelStatus(status));
    EXPECT_TRUE(status.direction[0].lineNormal && status.direction[1].lineNormal);
    EXPECT_TRUE(status.direction[0].dChannel);
    for (bool b : status.direction[0].bChannel) EXPECT_FALSE(b);

    // The Tessaro's fields stand 13 places further on; read at the RQ-730
    // places they would show the line in fault.
    ASSERT_TRUE(link.control.ConnectDevice(8, false));
    EXPECT_EQ(link.thread.Kind(), DeviceKind::kTessaro);
    ASSERT_TRUE(link.control.AskChannelStatus(status));
    EXPECT_TRUE(status.direction[0].lineNormal);
    EXPECT_TRUE(status.direction[1].lineNormal);
    EXPECT_TRUE(status.direction[1].dChannel);
    EXPECT_EQ(link.host.faults, 0);
}
