#include "store/FrameRecord.h"

#include <cstring>
#include <new>
#include <utility>

FrameRecord::FrameRecord(uint8_t direction) : direction_(direction) {}

FrameRecord::FrameRecord(const FrameRecord& other) { CopyFrom(other); }

FrameRecord& FrameRecord::operator=(const FrameRecord& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

FrameRecord::FrameRecord(FrameRecord&& other) noexcept { *this = std::move(other); }

FrameRecord& FrameRecord::operator=(FrameRecord&& other) noexcept {
    if (this == &other) return *this;
    bytes_ = std::move(other.bytes_);
    length_ = other.length_;
    index_ = other.index_;
    time_ = other.time_;
    direction_ = other.direction_;
    crcKnown_ = other.crcKnown_;
    crcOk_ = other.crcOk_;
    assemblyState_ = other.assemblyState_;
    other.length_ = 0;
    other.assemblyState_ = 0;
    other.crcKnown_ = false;
    return *this;
}

// A deep copy; the assembly state is not carried over. When the bytes
// cannot be allocated the copy has none.
void FrameRecord::CopyFrom(const FrameRecord& other) {
    time_ = other.time_;
    direction_ = other.direction_;
    index_ = other.index_;
    crcKnown_ = other.crcKnown_;
    crcOk_ = other.crcOk_;
    assemblyState_ = 0;
    bytes_.reset();
    length_ = 0;
    if (other.length_ == 0) return;
    bytes_.reset(new (std::nothrow) uint8_t[other.length_]);
    if (!bytes_) return;
    std::memcpy(bytes_.get(), other.bytes_.get(), other.length_);
    length_ = other.length_;
}

void FrameRecord::Clear() {
    time_ = TimeStamp();
    bytes_.reset();
    length_ = 0;
    assemblyState_ = 0;
}

bool FrameRecord::AppendByte(uint8_t octet, bool isFlag) {
    if (assemblyState_ == 2) return true;
    if (isFlag) ++assemblyState_;
    // Sized exactly to the frame; a failed allocation drops the octet only.
    std::unique_ptr<uint8_t[]> grown(new (std::nothrow) uint8_t[length_ + 1]);
    if (grown) {
        if (length_ > 0) std::memcpy(grown.get(), bytes_.get(), length_);
        grown[length_] = octet;
        bytes_ = std::move(grown);
        ++length_;
    }
    return assemblyState_ == 2;
}

bool FrameRecord::SetBytes(const uint8_t* buffer, size_t n) {
    if (length_ != 0 || n > UINT32_MAX) return false;
    if (n == 0) return true;
    std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[n]);
    if (!copy) return false;
    std::memcpy(copy.get(), buffer, n);
    bytes_ = std::move(copy);
    length_ = static_cast<uint32_t>(n);
    return true;
}

bool FrameRecord::CheckCrc() {
    if (length_ < 5) return false;
    if (crcKnown_) return crcOk_;
    uint16_t crc = 0xFFFF;
    for (uint32_t i = 1; i + 3 < length_; ++i) {
        crc ^= bytes_[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    uint16_t received = static_cast<uint16_t>(bytes_[length_ - 3] | (bytes_[length_ - 2] << 8));
    crcOk_ = static_cast<uint16_t>(crc ^ 0xFFFF) == received;
    crcKnown_ = true;
    return crcOk_;
}

int FrameRecord::BodyByte(int position) const {
    if (position < 0 || static_cast<size_t>(position) >= BodyEnd()) return kAbsent;
    return bytes_[position];
}

int FrameRecord::ControlOffset() const {
    // The address ends at the first octet with the EA bit set; the search
    // stays inside the frame.
    for (size_t i = 1; i < BodyEnd(); ++i)
        if (bytes_[i] & 0x01) return static_cast<int>(i + 1);
    return kAbsent;
}

bool FrameRecord::IsIFrame() const {
    int c = FirstControlOctet();
    return c != kAbsent && (c & 0x01) == 0;
}

bool FrameRecord::IsSFrame() const {
    int c = FirstControlOctet();
    return c != kAbsent && (c & 0x03) == 0x01;
}

bool FrameRecord::IsUFrame() const {
    int c = FirstControlOctet();
    return c != kAbsent && (c & 0x03) == 0x03;
}

bool FrameRecord::IsUIFrame() const {
    int c = FirstControlOctet();
    return c != kAbsent && (c & ~0x10) == 0x03;
}

int FrameRecord::InfoOffset() const {
    int control = ControlOffset();
    if (control == kAbsent || BodyByte(control) == kAbsent) return kAbsent;
    int info = control + (IsUFrame() ? 1 : 2);
    // An empty information field is allowed; a missing second control octet is not.
    return static_cast<size_t>(info) <= BodyEnd() ? info : kAbsent;
}

int FrameRecord::Sapi() const {
    int a = BodyByte(1);
    return a == kAbsent ? kAbsent : a >> 2;
}

int FrameRecord::CallRefLength() const {
    int info = InfoOffset();
    if (info == kAbsent) return kAbsent;
    int octet = BodyByte(info + 1);
    return octet == kAbsent ? kAbsent : (octet & 0x0F);
}

int FrameRecord::CallReference() const {
    int crl = CallRefLength();
    if (crl == kAbsent) return kNoCallReference;
    if (crl == 0) return kDummyCallReference;
    int info = InfoOffset();
    int first = BodyByte(info + 2);
    if (first == kAbsent) return kNoCallReference;
    if (crl != 2) return first & 0x7F;
    int second = BodyByte(info + 3);
    if (second == kAbsent) return kNoCallReference;
    return (first & 0x7F) * 256 + second;
}

int FrameRecord::MessageTypeOffset() const {
    int info = InfoOffset();
    if (info == kAbsent) return kAbsent;
    int offset;
    if (IsUIFrame()) {
        offset = info + 3;
    } else {
        int crl = CallRefLength();
        if (crl == kAbsent) return kAbsent;
        offset = info + 2 + crl;
    }
    return BodyByte(offset) == kAbsent ? kAbsent : offset;
}
