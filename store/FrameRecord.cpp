#include "store/FrameRecord.h"

#include "store/Fcs.h"

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

bool FrameRecord::CheckCrc() const {
    if (length_ < 5) return false;
    if (!crcKnown_) {
        const uint16_t received = static_cast<uint16_t>(bytes_[length_ - 3] | (bytes_[length_ - 2] << 8));
        crcOk_ = Fcs::Compute(bytes_.get() + 1, length_ - 4) == received;
        crcKnown_ = true;
    }
    return crcOk_;
}
