#pragma once
// Encodes Q.931 messages as the Japanese primary-rate network uses them:
// header (protocol discriminator, call reference, message type) and
// information elements, each a small function appending its octets.
#include <cstdint>
#include <string_view>
#include <vector>

namespace q931 {

enum MessageType : uint8_t {
    kAlerting = 0x01,
    kCallProceeding = 0x02,
    kProgress = 0x03,
    kSetup = 0x05,
    kConnect = 0x07,
    kSetupAcknowledge = 0x0D,
    kConnectAcknowledge = 0x0F,
    kDisconnect = 0x45,
    kRelease = 0x4D,
    kReleaseComplete = 0x5A,
    kFacility = 0x62,
    kStatusEnquiry = 0x75,
    kInformation = 0x7B,
    kStatus = 0x7D,
};

enum Cause : uint8_t {
    kNormalClearing = 16,
    kUserBusy = 17,
    kNoUserResponding = 18,
    kNoAnswer = 19,
    kCallRejected = 21,
    kNormalUnspecified = 31,
    kStatusEnquiryResponse = 30,
    kNoCircuitAvailable = 34,
};

enum Location : uint8_t {
    kUser = 0,
    kPrivateLocal = 1,
    kPublicLocal = 2,
    kTransit = 3,
    kPublicRemote = 4,
};

// Progress descriptions.
enum Progress : uint8_t {
    kNotEndToEndIsdn = 1,
    kDestinationNotIsdn = 2,
    kInbandAvailable = 8,
};

}  // namespace q931

class Q931Builder {
public:
    // Starts a message in out (which is cleared). crLength 0, 1 or 2; the flag
    // is set in messages sent by the side that did not originate the call.
    void Begin(std::vector<uint8_t>& out, int crLength, uint16_t crValue, bool fromDestination,
               uint8_t messageType);

    void BearerCapability(bool speech);
    // Exclusive B channel 1..23 on a primary-rate interface.
    void ChannelIdentification(int channel);
    // Presentation/screening goes into octet 3a.
    void CallingPartyNumber(std::string_view digits, uint8_t presentationScreening);
    void CalledPartyNumber(std::string_view digits);
    void Cause(uint8_t location, uint8_t cause);
    void CallState(uint8_t state);
    void ProgressIndicator(uint8_t location, uint8_t description);
    void Keypad(std::string_view digits);
    void HighLayerTelephony();
    void SendingComplete();
    // A Q.932 facility element (remote operations protocol) with one component.
    void Facility(const std::vector<uint8_t>& component);

    // Advice of charge: an invoke component with the recorded charging units.
    static std::vector<uint8_t> AocInvoke(uint8_t invokeId, uint8_t operation, uint32_t units);

private:
    void Element(uint8_t id, const uint8_t* content, size_t n);
    void ElementDigits(uint8_t id, const uint8_t* head, size_t headLength, std::string_view digits);

    std::vector<uint8_t>* out_ = nullptr;
};
