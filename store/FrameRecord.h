#pragma once
// One D-channel HDLC frame as the capture device saw it: both 0x7E flags,
// address, control, information field and FCS, with its time, direction
// and INDEX.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "store/TimeStamp.h"

class FrameRecord {
public:
    enum Direction : uint8_t { kTx = 0, kRx = 1 };
    // What a read outside the frame, or past its information field, gives.
    static constexpr int kAbsent = -1;

    explicit FrameRecord(uint8_t direction = kTx);
    FrameRecord(const FrameRecord& other);
    FrameRecord& operator=(const FrameRecord& other);
    // A moved-from record is left empty.
    FrameRecord(FrameRecord&& other) noexcept;
    FrameRecord& operator=(FrameRecord&& other) noexcept;
    ~FrameRecord() = default;

    // Time zero, no bytes, assembly restarted.
    void Clear();
    // Builds the frame byte by byte: flags move the assembly from "no flag"
    // to "opening flag seen" to "complete"; true once complete, after which
    // further octets are ignored.
    bool AppendByte(uint8_t octet, bool isFlag);
    // Takes a whole frame (flags included); only when the record has no bytes.
    bool SetBytes(const uint8_t* buffer, size_t n);

    const TimeStamp& Time() const { return time_; }
    void SetTime(const TimeStamp& time) { time_ = time; }
    uint8_t Direction() const { return direction_; }
    bool IsTx() const { return direction_ == kTx; }
    bool IsRx() const { return direction_ == kRx; }
    int32_t Index() const { return index_; }
    void SetIndex(int32_t index) { index_ = index; }
    uint32_t Length() const { return length_; }
    const uint8_t* Bytes() const { return bytes_.get(); }
    // The octet at position, or kAbsent outside the buffer.
    int ByteAt(size_t position) const {
        return position < length_ ? bytes_[position] : kAbsent;
    }

    // CRC-16 of X.25/Q.921 over positions 1..n-4 against the FCS at n-3, n-2;
    // the result is cached in the record.
    bool CheckCrc() const;
    // Whether the result is cached.
    bool CrcKnown() const { return crcKnown_; }

    // End (exclusive) of address, control and information field: the FCS
    // position n-3, or 0 for a frame too short to have one. Readers of the
    // fields (see FrameLayout) go through BodyByte, which never reaches the FCS.
    size_t BodyEnd() const { return length_ >= 4 ? length_ - 3 : 0; }
    int BodyByte(int position) const {
        return position < 0 || static_cast<size_t>(position) >= BodyEnd() ? kAbsent : bytes_[position];
    }

private:
    void CopyFrom(const FrameRecord& other);

    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t length_ = 0;
    int32_t index_ = -1;
    TimeStamp time_;
    uint8_t direction_ = kTx;
    // The frame check is a property of the octets: computed once, also for a const record.
    mutable bool crcKnown_ = false;
    mutable bool crcOk_ = false;
    uint8_t assemblyState_ = 0;
};
