#include "sim/X25Builder.h"

#include <algorithm>
#include <cstddef>

namespace {

enum PacketType : uint8_t {
    kCallRequest = 0x0B,
    kCallAccepted = 0x0F,
    kClearRequest = 0x13,
    kClearConfirmation = 0x17,
    kReceiveReady = 0x01,
    kRestartRequest = 0xFB,
    kRestartConfirmation = 0xFF,
};

// General format identifier for modulo 8 sequence numbering.
constexpr uint8_t kGfiModulo8 = 0x10;

std::vector<uint8_t> Header(int lcn, uint8_t type) {
    return {static_cast<uint8_t>(kGfiModulo8 | ((lcn >> 8) & 0x0F)),
            static_cast<uint8_t>(lcn & 0xFF), type};
}

void PutBcd(std::vector<uint8_t>& out, std::string_view called, std::string_view calling) {
    // Called address first, then calling, two digits an octet, padded with 0.
    int nibble = 0;
    uint8_t pending = 0;
    auto put = [&](char digit) {
        uint8_t d = static_cast<uint8_t>((digit - '0') & 0x0F);
        if (nibble == 0) {
            pending = static_cast<uint8_t>(d << 4);
            nibble = 1;
        } else {
            out.push_back(static_cast<uint8_t>(pending | d));
            nibble = 0;
        }
    };
    for (char c : called) put(c);
    for (char c : calling) put(c);
    if (nibble) out.push_back(pending);
}

// Address lengths, the addresses, and an empty facility field.
void PutAddressBlock(std::vector<uint8_t>& p, std::string_view called, std::string_view calling) {
    called = called.substr(0, 15);
    calling = calling.substr(0, 15);
    p.push_back(static_cast<uint8_t>((calling.size() << 4) | called.size()));
    PutBcd(p, called, calling);
    p.push_back(0x00);
}

}  // namespace

std::vector<uint8_t> X25Builder::CallRequest(int lcn, std::string_view called,
                                             std::string_view calling,
                                             const std::vector<uint8_t>& userData) {
    std::vector<uint8_t> p = Header(lcn, kCallRequest);
    PutAddressBlock(p, called, calling);
    p.insert(p.end(), userData.begin(), userData.end());
    return p;
}

std::vector<uint8_t> X25Builder::CallAccepted(int lcn, std::string_view called, std::string_view calling) {
    std::vector<uint8_t> p = Header(lcn, kCallAccepted);
    PutAddressBlock(p, called, calling);
    return p;
}

std::vector<uint8_t> X25Builder::Data(int lcn, int ps, int pr, bool more,
                                      const std::vector<uint8_t>& payload) {
    uint8_t type = static_cast<uint8_t>(((pr & 7) << 5) | (more ? 0x10 : 0) | ((ps & 7) << 1));
    std::vector<uint8_t> p = Header(lcn, type);
    p.resize(p.size() + payload.size());
    std::copy(payload.begin(), payload.end(), p.end() - static_cast<std::ptrdiff_t>(payload.size()));
    return p;
}

std::vector<uint8_t> X25Builder::ReceiveReady(int lcn, int pr) {
    return Header(lcn, static_cast<uint8_t>(((pr & 7) << 5) | kReceiveReady));
}

std::vector<uint8_t> X25Builder::ClearRequest(int lcn, uint8_t cause, uint8_t diagnostic) {
    std::vector<uint8_t> p = Header(lcn, kClearRequest);
    p.push_back(cause);
    p.push_back(diagnostic);
    return p;
}

std::vector<uint8_t> X25Builder::ClearConfirmation(int lcn) { return Header(lcn, kClearConfirmation); }

std::vector<uint8_t> X25Builder::RestartRequest(uint8_t cause) {
    std::vector<uint8_t> p = Header(0, kRestartRequest);
    p.push_back(cause);
    p.push_back(0x00);
    return p;
}

std::vector<uint8_t> X25Builder::RestartConfirmation() { return Header(0, kRestartConfirmation); }
