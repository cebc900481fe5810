#include "sim/LapdLink.h"

void LapdLink::Address(std::vector<uint8_t>& out, int side, bool command) const {
    // C/R is 0 for commands of the user side and 1 for commands of the
    // network side; responses the other way round.
    bool cr = (side == 1) == command;
    out.push_back(static_cast<uint8_t>((sapi_ << 2) | (cr ? 0x02 : 0x00)));
    out.push_back(static_cast<uint8_t>((tei_ << 1) | 0x01));
}

std::vector<uint8_t> LapdLink::IFrame(int side, const std::vector<uint8_t>& info) {
    std::vector<uint8_t> f;
    f.reserve(4 + info.size() + 2);
    Address(f, side, true);
    f.push_back(static_cast<uint8_t>(vs_[side] << 1));
    f.push_back(static_cast<uint8_t>(vr_[side] << 1));
    f.insert(f.end(), info.begin(), info.end());
    vs_[side] = (vs_[side] + 1) & 0x7F;
    return f;
}

std::vector<uint8_t> LapdLink::SFrame(int side, Supervisory type, bool command, bool pollFinal,
                                      int nr) const {
    std::vector<uint8_t> f;
    Address(f, side, command);
    f.push_back(type);
    f.push_back(static_cast<uint8_t>(((nr & 0x7F) << 1) | (pollFinal ? 1 : 0)));
    return f;
}

std::vector<uint8_t> LapdLink::UFrame(int side, Unnumbered type, bool command, bool pollFinal,
                                      const std::vector<uint8_t>& info) const {
    std::vector<uint8_t> f;
    Address(f, side, command);
    f.push_back(static_cast<uint8_t>(type | (pollFinal ? 0x10 : 0x00)));
    f.insert(f.end(), info.begin(), info.end());
    return f;
}
