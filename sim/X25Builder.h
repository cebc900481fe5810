#pragma once
// X.25 packet layer (modulo 8, logical channel group 0) as carried in LAPD
// I frames on SAPI 16: each function returns one packet.
#include <cstdint>
#include <string_view>
#include <vector>

class X25Builder {
public:
    // Call request (DTE) / incoming call (DCE) with both addresses in BCD and
    // call user data.
    static std::vector<uint8_t> CallRequest(int lcn, std::string_view called,
                                            std::string_view calling,
                                            const std::vector<uint8_t>& userData);
    // Call accepted (DTE) / call connected (DCE), extended format: the
    // addresses again, no facilities.
    static std::vector<uint8_t> CallAccepted(int lcn, std::string_view called, std::string_view calling);
    static std::vector<uint8_t> Data(int lcn, int ps, int pr, bool more,
                                     const std::vector<uint8_t>& payload);
    static std::vector<uint8_t> ReceiveReady(int lcn, int pr);
    static std::vector<uint8_t> ClearRequest(int lcn, uint8_t cause, uint8_t diagnostic);
    static std::vector<uint8_t> ClearConfirmation(int lcn);
    static std::vector<uint8_t> RestartRequest(uint8_t cause);
    static std::vector<uint8_t> RestartConfirmation();
};
