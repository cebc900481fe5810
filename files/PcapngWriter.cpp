#include "files/PcapngWriter.h"

#include <ctime>


namespace {

constexpr uint32_t kSectionHeader = 0x0A0D0D0A;
constexpr uint32_t kInterfaceDescription = 1;
constexpr uint32_t kEnhancedPacket = 6;
constexpr int64_t kUsPerDay = 86'400'000'000;

void Put16(std::string& s, uint16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); }
void Put32(std::string& s, uint32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }
void Pad(std::string& s) { s.append((4 - s.size() % 4) % 4, '\0'); }

void Option(std::string& s, uint16_t code, const std::string& value) {
    Put16(s, code);
    Put16(s, static_cast<uint16_t>(value.size()));
    s += value;
    Pad(s);
}

void EndOfOptions(std::string& s) { Put32(s, 0); }

}  // namespace

PcapngWriter::PcapngWriter(std::string& out, int64_t startOfDay) : out_(out), dayStartUs_(startOfDay * 1'000'000) {
    std::string section;
    Put32(section, 0x1A2B3C4D);  // byte-order magic: the file is in this machine's order
    Put16(section, 1);
    Put16(section, 0);
    Put32(section, 0xFFFFFFFF);  // section length not given
    Put32(section, 0xFFFFFFFF);
    Option(section, 4, std::string("Velkscope ") + VELK_VERSION);  // shb_userappl
    EndOfOptions(section);
    Block(kSectionHeader, section);

    std::string interface;
    Put16(interface, kLinkTypeLapd);
    Put16(interface, 0);
    Put32(interface, 0);  // no snap length
    Option(interface, 2, "velkscope");                                  // if_name
    Option(interface, 3, "ISDN D channel, RQ-730 protocol monitor");    // if_description
    EndOfOptions(interface);
    Block(kInterfaceDescription, interface);
}

bool PcapngWriter::MidnightOf(int year, int month, int day, int64_t& seconds) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1) || tm.tm_year != year - 1900 || tm.tm_mon != month - 1 || tm.tm_mday != day)
        return false;
    seconds = t;
    return true;
}

void PcapngWriter::Append(const FrameRecord& record) {
    const TimeStamp& t = record.Time();
    const int64_t ofDayUs =
        ((int64_t(t.Hours()) * 60 + t.Minutes()) * 60 + t.Seconds()) * 1'000'000 + int64_t(t.Milliseconds()) * 1000;
    if (lastOfDayUs_ >= 0 && ofDayUs < lastOfDayUs_) dayStartUs_ += kUsPerDay;
    lastOfDayUs_ = ofDayUs;
    const uint64_t stamp = static_cast<uint64_t>(dayStartUs_ + ofDayUs);

    // Address through information: the flags and the FCS stay out.
    const uint32_t length = record.Length() >= 4 ? record.Length() - 4 : 0;
    std::string packet;
    Put32(packet, 0);  // interface 0
    Put32(packet, static_cast<uint32_t>(stamp >> 32));
    Put32(packet, static_cast<uint32_t>(stamp));
    Put32(packet, length);
    Put32(packet, length);
    if (length > 0) packet.append(reinterpret_cast<const char*>(record.Bytes() + 1), length);
    Pad(packet);
    uint32_t flags = record.IsRx() ? kInbound : kOutbound;
    if (!record.CheckCrc()) flags |= kCrcError;
    Put16(packet, 2);  // epb_flags
    Put16(packet, 4);
    Put32(packet, flags);
    EndOfOptions(packet);
    Block(kEnhancedPacket, packet);
}

void PcapngWriter::Block(uint32_t type, const std::string& body) {
    const uint32_t total = static_cast<uint32_t>(body.size() + 12);
    Put32(out_, type);
    Put32(out_, total);
    out_ += body;
    Put32(out_, total);
}
