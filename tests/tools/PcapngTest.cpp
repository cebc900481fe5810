// velkdump --pcapng read by the real tshark: every frame's SAPI, TEI,
// command or response, Q.931 message type, CRC-error flag and time as our
// decoders and trace have them; and back with --to-trace, from our files
// and from tshark's own pcap and pcapng writes.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sstream>

#include "decode/Layer2Fields.h"
#include "files/PcapngWriter.h"
#include "files/TraceFile.h"
#include "sim/TrafficGenerator.h"
#include "store/Fcs.h"
#include "store/FrameLayout.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

TEST(Pcapng, TsharkReadsEveryFrameAsWeDo) {
    TempFolder dir;
    FrameStore store;
    TrafficGenerator generator(11);
    SimFrame frame;
    for (int i = 0; i < 3000; ++i) {  // from 23:59:30 across midnight, two frames at each time
        generator.Next(frame);
        std::vector<uint8_t> bytes{0x7E};
        bytes.insert(bytes.end(), frame.octets.begin(), frame.octets.end());
        bytes.push_back(0x7E);
        FrameRecord r(frame.direction);
        r.SetBytes(bytes.data(), bytes.size());
        const int ms = (86'370'000 + i / 2 * 40) % 86'400'000;
        TimeStamp t;
        t.Set(ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
        r.SetTime(t);
        store.Add(r, true);
    }
    const std::string trace = dir.Slash() + "calls.vkt", pcapng = dir.Slash() + "calls.pcapng";
    bool ok = false;
    ASSERT_TRUE(WriteFile(trace, Written([&](int fd) { return TraceFile::SaveText(store, fd, std::atomic<bool>{}); }, ok)));
    ASSERT_EQ(RunProgram({VelksimProcess::Program("velkdump"), trace, "--pcapng", "--date", "2029-12-09", "-o", pcapng},
                         dir.Slash() + "out", dir.Slash() + "err", 30000), 0) << ReadFile(dir.Slash() + "err");
    ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-r", pcapng, "-T", "fields", "-e", "frame.time_epoch", "-e", "lapd.sapi", "-e",
                          "lapd.tei", "-e", "lapd.direction", "-e", "lapd.cr", "-e", "q931.message_type", "-e",
                          "frame.packet_flags_crc_error", "-e", "frame.interface_name"},
                         dir.Slash() + "fields", dir.Slash() + "err", 60000), 0) << ReadFile(dir.Slash() + "err");
    ASSERT_EQ(RunProgram({"/usr/bin/capinfos", pcapng}, dir.Slash() + "info", dir.Slash() + "err", 30000), 0);
    EXPECT_NE(ReadFile(dir.Slash() + "info").find("Capture application: Velkscope "), std::string::npos);
    int64_t midnight = 0;
    ASSERT_TRUE(PcapngWriter::MidnightOf(2029, 12, 9, midnight));

    std::istringstream lines(ReadFile(dir.Slash() + "fields"));
    std::string line;
    size_t i = 0, crcErrors = 0, messages = 0;
    for (; std::getline(lines, line) && i < store.Count(); ++i) {
        std::vector<std::string> f;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
        f.resize(8);
        const FrameRecord& r = store.At(i);
        const FrameLayout layout(r);
        const int ms = (86'370'000 + int(i) / 2 * 40);
        EXPECT_EQ(f[0], std::to_string(midnight + ms / 1000) + "." + (std::to_string(1000 + ms % 1000).substr(1)) +
                            "000000") << i;
        EXPECT_EQ(f[1], std::to_string(layout.Sapi())) << i;
        if (Layer2Fields::Tei(layout) >= 0) EXPECT_EQ(f[2], std::to_string(Layer2Fields::Tei(layout))) << i;
        EXPECT_EQ((f[3] == "0") == (f[4] == "0"), Layer2Fields::IsCommand(layout)) << i;  // user side: C/R 0 commands
        const int type = layout.MessageTypeOffset();
        if (layout.Sapi() == 0 && type >= 0 && layout.InfoOctet(0) == 0x08 && !f[5].empty()) {
            EXPECT_EQ(std::stoi(f[5], nullptr, 16), r.BodyByte(type)) << i;
            ++messages;
        }
        EXPECT_EQ(f[6] == "1", !r.CheckCrc()) << i;
        crcErrors += f[6] == "1";
        EXPECT_EQ(f[7], "velkscope") << i;
    }
    EXPECT_EQ(i, store.Count());
    EXPECT_GT(crcErrors, 0u);
    EXPECT_GT(messages, 100u);

    // Back: the same frames, good ones byte for byte and flagged ones still
    // failing their check, directions and times; so the trace made of our
    // pcapng gives the same pcapng again.
    auto toTrace = [&](const std::string& capture, FrameStore& back) {
        const std::string out = capture + ".vkt";
        EXPECT_EQ(RunProgram({VelksimProcess::Program("velkdump"), capture, "--to-trace", "-o", out}, dir.Slash() + "out",
                             dir.Slash() + "err", 30000), 0) << ReadFile(dir.Slash() + "err");
        EXPECT_EQ(TraceFile::LoadText(back, ReadFile(out), std::atomic<bool>{}), TraceFile::kLoaded);
    };
    FrameStore first;
    toTrace(pcapng, first);
    ASSERT_EQ(RunProgram({VelksimProcess::Program("velkdump"), pcapng + ".vkt", "--pcapng", "--date", "2029-12-09", "-o",
                          pcapng + "2"}, dir.Slash() + "out", dir.Slash() + "err", 30000), 0);
    EXPECT_TRUE(ReadFile(pcapng + "2") == ReadFile(pcapng));
    for (const char* format : {"pcapng", "pcap"}) {
        const std::string theirs = dir.Slash() + "tshark." + format;
        ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-r", pcapng, "-F", format, "-w", theirs}, dir.Slash() + "out",
                             dir.Slash() + "err", 60000), 0);
        for (const std::string& capture : {pcapng, theirs}) {
            FrameStore back;
            toTrace(capture, back);
            ASSERT_EQ(back.Count(), store.Count()) << capture;
            for (size_t k = 0; k < store.Count(); ++k) {
                const FrameRecord &a = store.At(k), &b = back.At(k);
                const bool flagged = capture == pcapng || std::string(format) == "pcapng";  // pcap has no flags
                ASSERT_EQ(b.CheckCrc(), a.CheckCrc() || !flagged) << k;
                if (!b.CheckCrc()) {  // the right FCS with every bit inverted
                    std::vector<uint8_t> right(b.Bytes() + 1, b.Bytes() + b.Length() - 3);
                    Fcs::Append(right);
                    EXPECT_EQ(b.Bytes()[b.Length() - 3] ^ 0xFF, right[right.size() - 2]) << k;
                    EXPECT_EQ(b.Bytes()[b.Length() - 2] ^ 0xFF, right.back()) << k;
                }
                const size_t kept = a.CheckCrc() ? a.Length() : a.Length() - 3;
                ASSERT_EQ(std::string(reinterpret_cast<const char*>(a.Bytes()), kept),
                          std::string(reinterpret_cast<const char*>(b.Bytes()), b.Length()).substr(0, kept)) << k;
                ASSERT_EQ(a.Time().Format(), b.Time().Format()) << k;
                ASSERT_EQ(b.IsRx(), capture != theirs || std::string(format) == "pcapng" ? a.IsRx() : false) << k;
            }
        }
    }
}

// Captures as other writers make them: a pcap with nanosecond times, a
// pcapng packet in a simple packet block (no time, the first interface). Files
// that are not LAPD captures (nor trace files: a PNG, an ELF, a record head
// broken off), or lie about their lengths: a message, a failure status and no
// output file.
TEST(Pcapng, OtherWritersCapturesConvertAndFaultyOnesWriteNothing) {
    TempFolder dir;
    auto le = [](uint32_t v, int bytes = 4) { return std::string(reinterpret_cast<const char*>(&v), size_t(bytes)); };
    auto be = [&](uint32_t v, int bytes = 4) { return le(__builtin_bswap32(v) >> (32 - 8 * bytes), bytes); };
    auto block = [&](uint32_t type, const std::string& body) {
        const std::string padded = body + std::string((4 - body.size() % 4) % 4, '\0');
        return le(type) + le(uint32_t(padded.size() + 12)) + padded + le(uint32_t(padded.size() + 12));
    };
    const std::string rr("\x00\x01\x01\x01", 4);  // SAPI 0, TEI 0, RR
    const std::string head = block(0x0A0D0D0A, le(0x1A2B3C4D) + le(1, 2) + le(0, 2) + std::string(8, '\xFF')) +
                             block(1, le(203, 2) + le(0, 2) + le(65535));
    const std::string pcap = le(0xA1B2C3D4) + le(2, 2) + le(4, 2) + std::string(8, '\0') + le(65535);
    std::tm tm{};
    const std::time_t at = 3661;
    char sent[40];  // the whole line of a frame sent by us at 3661.123
    std::strftime(sent, sizeof sent, "TX[%H:%M:%S.123]0001010153AE\r\n", ::localtime_r(&at, &tm));
    // What ends the trace (the hour is local time), or what the message says.
    const struct { std::string file; int status; std::string said; } cases[] = {
        {le(0xA1B23C4D) + pcap.substr(4) + le(203) + le(3661) + le(123456789) + le(4) + le(4) + rr, 0,
         ":01.123]0001010153AE\r\n"},
        {head + block(3, le(4) + rr), 0, ":00.000]0001010153AE\r\n"},
        {be(0xA1B2C3D4) + be(2, 2) + be(4, 2) + std::string(8, '\0') + be(65535) + be(203) + be(3661) + be(1123456) +
             be(4) + be(4) + rr, 0, ":01.123]0001010153AE\r\n"},  // written big-endian, a fraction past its second
        {pcap + le(177) + le(3661) + le(123456) + le(20) + le(20) + be(4, 2) + std::string(14, '\0') + rr, 0, sent},
        // A second interface counting milliseconds, its resolution after another option.
        {head + block(1, le(203, 2) + le(0, 2) + le(65535) + le(2, 2) + le(4, 2) + "abcd" + le(9, 2) + le(1, 2) + "\x03") +
             block(6, le(1) + le(0) + le(3661123) + le(4) + le(4) + rr), 0, ":01.123]0001010153AE\r\n"},
        {head + block(6, le(0) + le(0)), 1, "a truncated packet block"},
        {head + block(6, le(0) + le(0) + le(0) + le(8) + le(8) + rr), 1, "an absurd or truncated length"},
        {"\x89PNG\r\n\x1A\n" + std::string(8, '\0'), 1, "not a trace, log, pcap or pcapng file"},
        {"\x7F" "ELF\x02\x01\x01" + std::string(20, '\0'), 1, "not a trace, log, pcap or pcapng file"},
        {"TX[00:00:00.0\xA1\xB2\xC3\xD4" + std::string(30, '\x5A'), 1, "not a trace, log, pcap or pcapng file"},
        {pcap + le(1), 1, "link type 1 is not LAPD"},
        {pcap + le(203) + std::string(10, '\0'), 1, "a truncated pcap record header"},
        {pcap + le(203) + std::string(8, '\0') + le(0x7FFFFFFF) + le(5), 1, "absurd length"},
        {pcap + le(203) + std::string(8, '\0') + le(6) + le(6) + "\x00\x01", 1, "a truncated pcap record"},
        {pcap + le(177) + std::string(8, '\0') + le(4) + le(4) + std::string(4, '\0'), 1,
         "a LINUX_LAPD packet shorter than its header"},
        {le(0x0A0D0D0A) + le(28) + le(0x1A2B3C4D) + std::string(12, '\0') + le(28) + le(6) + le(32) +
             std::string(20, '\0') + le(32), 1, "an interface never described"},
        {le(0x0A0D0D0A) + le(1000) + le(0x1A2B3C4D), 1, "a corrupt pcapng block length"},
        {head + le(6) + le(0x7FFFFFF0) + std::string(64, '\0'), 1, "an absurd pcapng block length"},
        {le(0x0A0D0D0A) + le(28) + le(0x1A2B3C4D) + std::string(12, '\0') + le(28) + le(1), 1,
         "a truncated pcapng block"},
    };
    const std::string trace = dir.Slash() + "out.vkt", err = dir.Slash() + "err";
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFile(dir.Slash() + "in", c.file));
        std::filesystem::remove(trace);
        EXPECT_EQ(RunProgram({VelksimProcess::Program("velkdump"), dir.Slash() + "in", "--to-trace", "-o", trace},
                             dir.Slash() + "out", err, 30000), c.status) << ReadFile(err);
        const std::string text = ReadFile(c.status == 0 ? trace : err);
        EXPECT_EQ(std::filesystem::exists(trace), c.status == 0) << c.said;
        if (c.status == 0) EXPECT_TRUE(text.ends_with(c.said)) << text;
        else EXPECT_NE(text.find(c.said), std::string::npos) << text;
    }
}
