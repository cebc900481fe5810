#pragma once
// One LAPD data link (SAPI, TEI) seen from the line: builds its frames
// (without FCS) and keeps the send and receive state variables of each side.
// Side 0 is the user side, side 1 the network side.
#include <cstdint>
#include <vector>

class LapdLink {
public:
    static constexpr int kUserSide = 0;
    static constexpr int kNetworkSide = 1;
    enum Supervisory : uint8_t { kRR = 0x01, kRNR = 0x05, kREJ = 0x09 };
    enum Unnumbered : uint8_t {
        kSABME = 0x6F,
        kUA = 0x63,
        kDISC = 0x43,
        kDM = 0x0F,
        kUI = 0x03,
    };

    LapdLink(uint8_t sapi, uint8_t tei) : sapi_(sapi), tei_(tei) {}

    uint8_t Sapi() const { return sapi_; }
    uint8_t Tei() const { return tei_; }
    void SetTei(uint8_t tei) { tei_ = tei; }

    // The I frame side sends next: N(S) = V(S) (then V(S) + 1), N(R) = V(R).
    std::vector<uint8_t> IFrame(int side, const std::vector<uint8_t>& info);
    // RR/RNR/REJ carrying N(R) = nr.
    std::vector<uint8_t> SFrame(int side, Supervisory type, bool command, bool pollFinal, int nr) const;
    std::vector<uint8_t> UFrame(int side, Unnumbered type, bool command, bool pollFinal,
                                const std::vector<uint8_t>& info = {}) const;

    // The peer of side took I frames up to (not including) N(S) = nr.
    void Received(int side, int nr) { vr_[side] = nr & 0x7F; }
    // Multiple frame operation (re)established: all counts start at 0.
    void Reset() { vs_[0] = vs_[1] = vr_[0] = vr_[1] = 0; }

    int SendState(int side) const { return vs_[side]; }
    int ReceiveState(int side) const { return vr_[side]; }

private:
    void Address(std::vector<uint8_t>& out, int side, bool command) const;

    uint8_t sapi_;
    uint8_t tei_;
    int vs_[2] = {0, 0};
    int vr_[2] = {0, 0};
};
